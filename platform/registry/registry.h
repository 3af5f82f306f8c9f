// The registry functions the suite calls, over per-user store files: one
// INI file for each root key under $XDG_CONFIG_HOME/verbanta/ (see
// storefolder.h). Key paths use "\" and compare without regard to case;
// values keep their type, and binary values their exact bytes. Every change
// is written through at once, so a failed write is reported by the call that
// made it. All functions are thread-safe.
//
// HKEY_CLASSES_ROOT also sees the registrations installed with the programs
// (classes.ini in StoreFolder::installedPath()), beneath the user's own as
// the machine's classes lie beneath a user's on Windows: opening a key that
// the user's store lacks opens the installed one, read only (changes are
// refused with ERROR_ACCESS_DENIED), so an installed program finds its
// library with no registration of the user's, and a user's registration of
// the same class still wins. Creating and deleting keys under
// HKEY_CLASSES_ROOT always works on the user's store.
#pragma once

#include <cstdint>

using LONG = int32_t;
using REGSAM = uint32_t;

struct HKEY__;
// An open key (release with RegCloseKey) or one of the roots below.
using HKEY = HKEY__ *;

inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(uintptr_t(0x80000000u));
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(uintptr_t(0x80000001u));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(uintptr_t(0x80000002u));

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_INVALID_DATA = 13;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_KEY_DELETED = 1018;

constexpr uint32_t REG_NONE = 0;
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_BINARY = 3;
constexpr uint32_t REG_DWORD = 4;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

// Opens `subKey` of `key`, creating it and any missing key above it, with
// all access. `*out` is nullptr on failure.
LONG RegCreateKeyEx(HKEY key, const char *subKey, HKEY *out);
// Opens an existing key; `access` limits what the handle may do (a KEY_READ
// handle refuses changes with ERROR_ACCESS_DENIED). `subKey` nullptr or ""
// opens `key` itself again. `*out` is nullptr on failure.
LONG RegOpenKeyEx(HKEY key, const char *subKey, REGSAM access, HKEY *out);
LONG RegCloseKey(HKEY key);

// `name` nullptr or "" is the key's default value. REG_SZ data is UTF-8 text
// up to its first NUL (or `size`); REG_DWORD needs exactly 4 bytes.
LONG RegSetValueEx(HKEY key, const char *name, uint32_t type, const void *data, uint32_t size);
// `size` is in/out. A REG_SZ value comes back NUL-terminated, its size
// counting the NUL. With `data` nullptr only the type and size are told;
// with a buffer too small, `*size` becomes the size needed and the result is
// ERROR_MORE_DATA.
LONG RegQueryValueEx(HKEY key, const char *name, uint32_t *type, void *data, uint32_t *size);
LONG RegDeleteValue(HKEY key, const char *name);
// Deletes a key with its values; a key that still has subkeys is refused
// with ERROR_ACCESS_DENIED.
LONG RegDeleteKey(HKEY key, const char *subKey);
// Writes the key's store file out, reporting a failed write.
LONG RegFlushKey(HKEY key);
