// One change of the registry file: read it, change it, replace it.
//
// Writers take turns: within the process by a mutex, across processes by a lock on a file next
// to the registry file ("registry.reg.lock"), so no change is lost to a writer that read the file
// before it was replaced. Readers need no lock, as the file is only ever replaced whole.
#pragma once

#include <mutex>

#include "platform/registry/registry.h"
#include "platform/registry/registryfile.h"

class CRegistryTransaction {
public:
    // Takes the locks and reads the file (see Status).
    CRegistryTransaction();
    ~CRegistryTransaction();
    CRegistryTransaction(const CRegistryTransaction&) = delete;
    CRegistryTransaction& operator=(const CRegistryTransaction&) = delete;

    // ERROR_SUCCESS when the file was read (or is missing), ERROR_BADDB when it cannot be read or
    // understood, ERROR_REGISTRY_IO_FAILED when the lock could not be taken.
    LONG Status() const { return m_lStatus; }

    CRegistryFile& File() { return m_file; }

    // Replaces the file with the changed registry; ERROR_REGISTRY_IO_FAILED when it could not be
    // written. Only valid when Status() succeeded.
    LONG Commit();

private:
    std::unique_lock<std::mutex> m_lock;
    int m_fdLock = -1;
    CRegistryFile m_file;
    LONG m_lStatus = ERROR_SUCCESS;
};
