// Setting a registry key's security for the tests: everyone may do everything with the key
// but what a case denies, as an administrator or a policy may leave a user's key.
#pragma once

#include <windows.h>

// Denies `denied` to everyone on `key` (opened with WRITE_DAC) and allows the rest; 0 lifts
// every restriction. Returns the registry's status.
inline LONG SetEveryonesAccess(HKEY key, REGSAM denied) {
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
    return static_cast<LONG>(GetLastError());
  }
  alignas(ACL) BYTE buffer[256];
  ACL* acl = reinterpret_cast<ACL*>(buffer);
  SECURITY_DESCRIPTOR security;
  const bool built = InitializeAcl(acl, sizeof buffer, ACL_REVISION) &&
                     AddAccessDeniedAce(acl, ACL_REVISION, denied, everyone) &&
                     AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone) &&
                     InitializeSecurityDescriptor(&security, SECURITY_DESCRIPTOR_REVISION) &&
                     SetSecurityDescriptorDacl(&security, TRUE, denied ? acl : nullptr, FALSE);
  const LONG status = built ? RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &security)
                            : static_cast<LONG>(GetLastError());
  FreeSid(everyone);
  return status;
}

// The same for a key under HKEY_CURRENT_USER named by its path; ERROR_FILE_NOT_FOUND when
// there is no such key.
inline LONG SetEveryonesAccess(const char* path, REGSAM denied) {
  HKEY key = nullptr;
  const LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, WRITE_DAC, &key);
  if (opened != ERROR_SUCCESS) return opened;
  const LONG status = SetEveryonesAccess(key, denied);
  RegCloseKey(key);
  return status;
}
