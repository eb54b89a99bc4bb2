// Test doubles shared by the tests: a dispatch object that counts its references and records the
// calls it gets, an outer object for aggregation, and a temporary platform root.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/com/comptr.h"
#include "platform/com/dispatch.h"

// Lives on the stack: Release never deletes it.
class CRecordingDispatch : public IDispatch {
public:
    // Also answers iidEvents, so that it can connect as the sink of that event interface.
    explicit CRecordingDispatch(const IID& iidEvents = IID_IDispatch) : m_iidEvents(iidEvents) {}

    STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == m_iidEvents) {
            *ppvObject = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return static_cast<ULONG>(++m_nRefs); }
    STDMETHOD_(ULONG, Release)() override { return static_cast<ULONG>(--m_nRefs); }
    STDMETHOD(GetTypeInfoCount)(UINT*) override { return E_NOTIMPL; }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHOD(Invoke)
    (DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        m_vecDispids.push_back(dispid);
        if (m_onInvoke) {
            m_onInvoke();
        }
        return S_OK;
    }

    LONG m_nRefs = 0;
    std::vector<DISPID> m_vecDispids;
    std::function<void()> m_onInvoke;

private:
    IID m_iidEvents;
};

// The controlling object of an aggregate: answers IUnknown itself and hands every other request
// to the inner object it holds. Lives on the stack.
class COuterObject : public IUnknown {
public:
    STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override {
        if (riid == IID_IUnknown) {
            *ppvObject = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        if (m_pInner) {
            return m_pInner->QueryInterface(riid, ppvObject);
        }
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return static_cast<ULONG>(++m_nRefs); }
    STDMETHOD_(ULONG, Release)() override { return static_cast<ULONG>(--m_nRefs); }

    LONG m_nRefs = 0;
    // The inner object's own IUnknown.
    CComPtr<IUnknown> m_pInner;
};

// A fresh $LIRSET_ROOT, which holds the registry file and the drive folders, for one test.
class CTempRoot {
public:
    CTempRoot() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lirset-com-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            m_strPath = pattern;
            setenv("LIRSET_ROOT", m_strPath.c_str(), 1);
        }
    }
    ~CTempRoot() {
        unsetenv("LIRSET_ROOT");
        if (!m_strPath.empty()) {
            std::filesystem::remove_all(m_strPath);
        }
    }
    CTempRoot(const CTempRoot&) = delete;
    CTempRoot& operator=(const CTempRoot&) = delete;

    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
};
