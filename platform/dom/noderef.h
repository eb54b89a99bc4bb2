// CNodeRef: a counted reference to a node of the document tree.
//
// Nodes are reference-counted: a parent holds one reference to each of its children, and every
// CNodeRef holds one. A node removed from the tree therefore lives on as long as someone (a range,
// an enumerator, a COM wrapper) still refers to it.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

template <class T>
class CNodeRef {
public:
    CNodeRef() = default;
    CNodeRef(std::nullptr_t) {}
    explicit CNodeRef(T* pNode) : m_pNode(pNode) {
        if (m_pNode != nullptr) {
            m_pNode->AddRef();
        }
    }
    CNodeRef(const CNodeRef& other) : CNodeRef(other.m_pNode) {}
    CNodeRef(CNodeRef&& other) noexcept : m_pNode(std::exchange(other.m_pNode, nullptr)) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    CNodeRef(const CNodeRef<U>& other) : CNodeRef(other.Get()) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    CNodeRef(CNodeRef<U>&& other) noexcept : m_pNode(other.Detach()) {}
    ~CNodeRef() { Reset(); }

    CNodeRef& operator=(CNodeRef other) noexcept {
        std::swap(m_pNode, other.m_pNode);
        return *this;
    }

    T* Get() const { return m_pNode; }
    T* operator->() const { return m_pNode; }
    T& operator*() const { return *m_pNode; }
    explicit operator bool() const { return m_pNode != nullptr; }

    void Reset() {
        if (T* pNode = std::exchange(m_pNode, nullptr)) {
            pNode->Release();
        }
    }
    // Hands the reference to the caller, who must release it.
    T* Detach() { return std::exchange(m_pNode, nullptr); }

private:
    T* m_pNode = nullptr;
};

template <class T, class U>
bool operator==(const CNodeRef<T>& a, const CNodeRef<U>& b) {
    return a.Get() == b.Get();
}

template <class T>
bool operator==(const CNodeRef<T>& a, std::nullptr_t) {
    return a.Get() == nullptr;
}

template <class T, class... TArgs>
CNodeRef<T> MakeNode(TArgs&&... args) {
    return CNodeRef<T>(new T(std::forward<TArgs>(args)...));
}
