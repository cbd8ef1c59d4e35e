// The engine as a component server: activation by identifier, the live-object count, and the
// registrations it writes and removes.
#include "Motore.h"

#include <gtest/gtest.h>

#include "platform/ui/Files.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <dlfcn.h>

using namespace motore;

namespace {

QString PercorsoMotore() { return files::AppPath() + QStringLiteral("/libQOR_TRBNS18.so"); }

// The entry points of the engine the program has loaded (loading it first if need be).
void* Simbolo(const char* nome) {
    NuovaAsta(); // makes sure the library is in the process
    void* handle = dlopen(QFile::encodeName(PercorsoMotore()).constData(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle) return nullptr;
    void* s = dlsym(handle, nome);
    dlclose(handle); // drops only the reference taken just above
    return s;
}

} // namespace

TEST(Componente, CreatesEachClassByItsProgramIdentifier) {
    EXPECT_TRUE(component::CreateObjectAs<_clsGenVerNodi>(ProgIdGenVerNodi));
    EXPECT_TRUE(component::CreateObjectAs<_clsNodo>(ProgIdNodo));
    EXPECT_TRUE(component::CreateObjectAs<_clsAsta>(ProgIdAsta));
    auto a = component::CreateObject(ProgIdAsta);
    auto b = component::CreateObject(ProgIdAsta);
    EXPECT_NE(a, b);
    EXPECT_EQ(NumeroErrore([] { component::CreateObjectAs<_clsNodo>(ProgIdAsta); }), 13);
}

TEST(Componente, ClassFactoryAnswersToTheClassIdentifierToo) {
    auto getClassObject = reinterpret_cast<component::DllGetClassObjectFn>(Simbolo("DllGetClassObject"));
    ASSERT_TRUE(getClassObject);
    component::ClassFactory* f = nullptr;
    EXPECT_EQ(getClassObject(ClsidNodo, &f), component::S_OK);
    ASSERT_TRUE(f);
    EXPECT_TRUE(std::dynamic_pointer_cast<_clsNodo>(f->CreateInstance()));
    EXPECT_EQ(getClassObject("{6b1f3c2a-5d4e-4a87-9c21-3e7f0a1b2c03}", &f), component::S_OK);
    EXPECT_TRUE(std::dynamic_pointer_cast<_clsAsta>(f->CreateInstance()));
    EXPECT_EQ(getClassObject("QOR_TRBNS18.clsPiastra", &f), component::CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(f, nullptr);
}

TEST(Componente, CanUnloadOnlyWhenNoObjectIsAlive) {
    auto canUnload = reinterpret_cast<component::DllCanUnloadNowFn>(Simbolo("DllCanUnloadNow"));
    ASSERT_TRUE(canUnload);
    EXPECT_EQ(canUnload(), component::S_OK);
    {
        auto reg = NuovoRegistro();
        Integer n = Registra(*reg, {{}, {}});
        EXPECT_EQ(canUnload(), component::S_FALSE);
        auto membro = Nodo(*reg, n)->Asta()->ItemAs<_clsAsta>(1);
        reg.reset();
        // The member the caller still holds keeps the library busy.
        EXPECT_EQ(canUnload(), component::S_FALSE);
    }
    EXPECT_EQ(canUnload(), component::S_OK);
}

TEST(Componente, RegisterAndUnregisterRoundTrip) {
    auto registra = reinterpret_cast<component::DllRegisterServerFn>(Simbolo("DllRegisterServer"));
    auto cancella = reinterpret_cast<component::DllRegisterServerFn>(Simbolo("DllUnregisterServer"));
    ASSERT_TRUE(registra && cancella);
    const QString atteso = QFileInfo(PercorsoMotore()).canonicalFilePath();
    for (const char* id : {ProgIdGenVerNodi, ProgIdNodo, ProgIdAsta}) EXPECT_EQ(component::RegisteredLibrary(id), "");

    EXPECT_EQ(registra(), component::S_OK);
    for (const char* id : {ProgIdGenVerNodi, ProgIdNodo, ProgIdAsta})
        EXPECT_EQ(QFileInfo(component::RegisteredLibrary(id)).canonicalFilePath(), atteso) << id;
    EXPECT_TRUE(NuovoRegistro());

    EXPECT_EQ(cancella(), component::S_OK);
    for (const char* id : {ProgIdGenVerNodi, ProgIdNodo, ProgIdAsta}) EXPECT_EQ(component::RegisteredLibrary(id), "");
    EXPECT_TRUE(NuovoRegistro());
}

TEST(Componente, StaleRegistrationFallsBackToTheLibraryBesideTheProgram) {
    QTemporaryDir vuota;
    component::RegisterClass(ProgIdAsta, ClsidAsta, vuota.path() + QStringLiteral("/libQOR_TRBNS18.so"));
    EXPECT_TRUE(NuovaAsta());
    component::UnregisterClass(ProgIdAsta);
}

TEST(Componente, MissingLibraryOrClassIsErrorNamingWhatIsMissing) {
    try {
        component::CreateObject("QOR_TRBNS18.clsInesistente");
        FAIL() << "no error";
    } catch (const platform::Error& e) {
        EXPECT_EQ(e.number(), 429);
        EXPECT_NE(e.description().find("QOR_TRBNS18.clsInesistente"), std::string::npos) << e.description();
    }
    try {
        component::CreateObject("Inesistente.clsNodo");
        FAIL() << "no error";
    } catch (const platform::Error& e) {
        EXPECT_EQ(e.number(), 429);
        EXPECT_NE(e.description().find("libInesistente.so"), std::string::npos) << e.description();
        EXPECT_NE(e.description().find("non trovata"), std::string::npos) << e.description();
    }
    EXPECT_EQ(NumeroErrore([] { component::CreateObject("SenzaPunto"); }), 429);
}
