#include "platform/component/Component.h"

#include "platform/basic/Error.h"
#include "platform/ui/Files.h"
#include "platform/ui/Settings.h"

#include <QFileInfo>
#include <dlfcn.h>
#include <map>
#include <mutex>

namespace component {

namespace {

// Registrations live in the per-user settings store: one key per program identifier holding the
// library's path, and one beside it holding the class identifier.
const QString kApp = QStringLiteral("Tecnavo");
const QString kSection = QStringLiteral("Componenti");

QString PathKey(const std::string& progId) { return QString::fromStdString(progId); }
QString ClsidKey(const std::string& progId) { return QString::fromStdString(progId) + QStringLiteral(".CLSID"); }

[[noreturn]] void CannotCreate(const std::string& progId, const QString& why) {
    platform::Raise(platform::err::CannotCreateObject,
                    "Impossibile creare l'oggetto " + progId + ": " + why.toStdString());
}

// A loaded server stays loaded for the life of the process: objects it made may outlive any
// reference the loader could count, and unloading under them would leave dangling code.
void* LoadLibraryOnce(const QString& path, QString& error) {
    static std::mutex mutex;
    static std::map<QString, void*> loaded;
    std::lock_guard<std::mutex> lock(mutex);
    auto it = loaded.find(path);
    if (it != loaded.end()) return it->second;
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* e = dlerror();
        error = e ? QString::fromLocal8Bit(e) : QStringLiteral("errore sconosciuto");
        return nullptr;
    }
    loaded.emplace(path, handle);
    return handle;
}

} // namespace

ClassFactory::~ClassFactory() = default;

void RegisterClass(const std::string& progId, const std::string& clsid, const QString& libraryPath) {
    settings::SaveSetting(kApp, kSection, PathKey(progId), libraryPath);
    settings::SaveSetting(kApp, kSection, ClsidKey(progId), QString::fromStdString(clsid));
}

void UnregisterClass(const std::string& progId) {
    settings::DeleteSetting(kApp, kSection, PathKey(progId));
    settings::DeleteSetting(kApp, kSection, ClsidKey(progId));
}

QString RegisteredLibrary(const std::string& progId) {
    return settings::GetSetting(kApp, kSection, PathKey(progId), QString());
}

std::shared_ptr<Object> CreateObject(const std::string& progId) {
    const auto dot = progId.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == progId.size())
        CannotCreate(progId, QStringLiteral("identificatore di classe non valido"));
    const QString library = QString::fromStdString(progId.substr(0, dot));

    // The registration wins while the file it names is there; a stale one (the program moved)
    // falls back to the library shipped beside the program.
    QString path = RegisteredLibrary(progId);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        path = files::AppPath() + QStringLiteral("/lib") + library + QStringLiteral(".so");

    if (!QFileInfo(path).isFile())
        CannotCreate(progId, QStringLiteral("libreria ") + path + QStringLiteral(" non trovata"));
    QString error;
    void* handle = LoadLibraryOnce(path, error);
    if (!handle)
        CannotCreate(progId, QStringLiteral("libreria ") + path + QStringLiteral(" non caricabile (") + error +
                                 QStringLiteral(")"));

    auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
    if (!getClassObject)
        CannotCreate(progId, QStringLiteral("la libreria ") + path +
                                 QStringLiteral(" non è un server di componenti (DllGetClassObject mancante)"));

    ClassFactory* factory = nullptr;
    const int hr = getClassObject(progId.c_str(), &factory);
    if (hr != S_OK || !factory)
        CannotCreate(progId, QStringLiteral("classe non disponibile nella libreria ") + path);

    std::shared_ptr<Object> object = factory->CreateInstance();
    if (!object) CannotCreate(progId, QStringLiteral("la fabbrica della classe non ha creato l'oggetto"));
    return object;
}

void RaiseWrongInterface(const std::string& progId) {
    platform::Raise(platform::err::TypeMismatch,
                    "Tipo non corrispondente: l'oggetto " + progId + " non offre l'interfaccia richiesta");
}

} // namespace component
