// The component server: the class factories of the three classes and the four exported entry
// points through which the loader creates objects, asks whether the library may go, and writes or
// removes the library's registrations.
#include "clsAsta.h"
#include "clsGenVerNodi.h"
#include "clsNodo.h"

#include "platform/component/Component.h"

#include <QFileInfo>
#include <QString>
#include <dlfcn.h>

#include <cstring>

#define QOR_ESPORTA extern "C" __attribute__((visibility("default")))

namespace QOR_TRBNS18 {

namespace detail {
std::atomic<long>& OggettiVivi() {
    static std::atomic<long> vivi{0};
    return vivi;
}
} // namespace detail

namespace {

template <class C> class Fabbrica final : public component::ClassFactory {
public:
    std::shared_ptr<component::Object> CreateInstance() override { return std::make_shared<C>(); }
};

struct Classe {
    const char* progId;
    const char* clsid;
    component::ClassFactory* fabbrica;
};

Fabbrica<clsGenVerNodi> fabbricaGenVerNodi;
Fabbrica<clsNodo> fabbricaNodo;
Fabbrica<clsAsta> fabbricaAsta;

const Classe kClassi[] = {
    {ProgIdGenVerNodi, ClsidGenVerNodi, &fabbricaGenVerNodi},
    {ProgIdNodo, ClsidNodo, &fabbricaNodo},
    {ProgIdAsta, ClsidAsta, &fabbricaAsta},
};

// A class identifier is compared as text, without regard to case; the braces may be left out.
bool StessoClsid(const char* dato, const char* nostro) {
    QString a = QString::fromLatin1(dato).trimmed();
    QString b = QString::fromLatin1(nostro);
    if (!a.startsWith(QLatin1Char('{'))) a = QLatin1Char('{') + a + QLatin1Char('}');
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The file this library was loaded from.
QString PercorsoLibreria() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&detail::OggettiVivi), &info) || !info.dli_fname) return {};
    return QFileInfo(QFile::decodeName(info.dli_fname)).absoluteFilePath();
}

} // namespace

} // namespace QOR_TRBNS18

using namespace QOR_TRBNS18;

QOR_ESPORTA int DllGetClassObject(const char* classId, component::ClassFactory** factory) {
    if (!factory) return component::E_FAIL;
    *factory = nullptr;
    if (!classId) return component::CLASS_E_CLASSNOTAVAILABLE;
    for (const auto& c : kClassi) {
        if (std::strcmp(classId, c.progId) == 0 || StessoClsid(classId, c.clsid)) {
            *factory = c.fabbrica;
            return component::S_OK;
        }
    }
    return component::CLASS_E_CLASSNOTAVAILABLE;
}

QOR_ESPORTA int DllCanUnloadNow() { return detail::OggettiVivi().load() == 0 ? component::S_OK : component::S_FALSE; }

QOR_ESPORTA int DllRegisterServer() {
    try {
        const QString percorso = PercorsoLibreria();
        if (percorso.isEmpty()) return component::SELFREG_E_CLASS;
        for (const auto& c : kClassi) component::RegisterClass(c.progId, c.clsid, percorso);
        return component::S_OK;
    } catch (...) {
        return component::SELFREG_E_CLASS;
    }
}

QOR_ESPORTA int DllUnregisterServer() {
    try {
        for (const auto& c : kClassi) component::UnregisterClass(c.progId);
        return component::S_OK;
    } catch (...) {
        return component::SELFREG_E_CLASS;
    }
}
