#pragma once
// Activation of a class by its identifier, as an in-process component server offers it.
//
// A server library exports, with C linkage:
//   int  DllGetClassObject(const char* classId, component::ClassFactory** factory);
//   int  DllCanUnloadNow();        // S_OK when no object of the library is alive, else S_FALSE
//   int  DllRegisterServer();      // writes its registrations (identifier -> library path)
//   int  DllUnregisterServer();    // removes them
// classId is the class's GUID text ("{...}") or its program identifier ("Library.Class").
// The factory handed out belongs to the library and lives as long as the library stays loaded; the
// caller never deletes it.
#include "platform/component/Object.h"

#include <QString>
#include <memory>
#include <string>

namespace component {

inline constexpr int S_OK = 0;
inline constexpr int S_FALSE = 1;
inline constexpr int E_FAIL = static_cast<int>(0x80004005u);
inline constexpr int CLASS_E_CLASSNOTAVAILABLE = static_cast<int>(0x80040111u);
inline constexpr int SELFREG_E_CLASS = static_cast<int>(0x80040201u);

class ClassFactory {
public:
    virtual ~ClassFactory();
    virtual std::shared_ptr<Object> CreateInstance() = 0;
};

using DllGetClassObjectFn = int (*)(const char*, ClassFactory**);
using DllCanUnloadNowFn = int (*)();
using DllRegisterServerFn = int (*)();

// Registration of one class in the per-user settings store.
void RegisterClass(const std::string& progId, const std::string& clsid, const QString& libraryPath);
void UnregisterClass(const std::string& progId);
// The registered library path of a program identifier, or "" when it is not registered.
QString RegisteredLibrary(const std::string& progId);

// Finds the library of progId ("Library.Class": its registration, else libLibrary.so beside the
// running program), loads it, asks its class factory and hands back a new object. A missing library
// or class raises platform::Error 429 with a description that names what is missing.
std::shared_ptr<Object> CreateObject(const std::string& progId);

[[noreturn]] void RaiseWrongInterface(const std::string& progId);

// CreateObject, asking the new object for interface T (error 13 when it does not offer it).
template <class T> std::shared_ptr<T> CreateObjectAs(const std::string& progId) {
    auto obj = std::dynamic_pointer_cast<T>(CreateObject(progId));
    if (!obj) RaiseWrongInterface(progId);
    return obj;
}

} // namespace component
