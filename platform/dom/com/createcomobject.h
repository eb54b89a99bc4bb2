// Creating the document model's objects: a new CComObject<T> held by a CComPtr<T>.
#pragma once

#include "platform/com/comobject.h"
#include "platform/com/comptr.h"
#include "platform/com/hresult.h"

template <class T>
HRESULT CreateComObject(CComPtr<T>& pObject) {
    CComObject<T>* pNew = nullptr;
    HRESULT hr = CComObject<T>::CreateInstance(&pNew);
    if (FAILED(hr)) {
        return hr;
    }
    pObject = pNew;
    return S_OK;
}
