// The member and joint records: fresh values, access by name, and the joint's collections.
#include "Motore.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace motore;

namespace {

const std::vector<std::string> kSingoliAsta = {
    "Altezza",  "Base",      "area",        "ModInerzia", "ModResistenza", "Res_Fmk",   "Res_Ft0k",
    "Res_Ft90k", "Res_Fc0k", "Res_Fc90k",   "Res_Fvk",    "ModEl_0mean",   "ModEl_05",  "ModEl_90",
    "ModEl_Gmean", "Peso",   "SforzoAssiale", "Taglio",   "Momento",       "Res_Fd",    "Res_Fc0d",
    "Res_Fc90d", "Res_Fvd",  "Angolo"};

const std::vector<std::string> kSingoliNodo = {
    "tv",     "Lv",      "ReazioneY", "LunghezzaAppoggio", "LAppEfficace", "tens1",  "tens2",   "tens3",
    "Angolo1", "Angolo2", "fd1",      "fd2",               "fd3",          "tau",    "fvd",     "alfa",
    "beta",   "Teta",    "F1",        "F2",                "tvB",          "LvB",    "tens1B",  "tens2B",
    "tens3B", "Angolo1B", "Angolo2B", "fd1B",              "fd2B",         "fd3B",   "tauB",    "fvdB",
    "alfaB",  "betaB",   "TetaB",     "F1B",               "F2B"};

} // namespace

TEST(Records, FreshMemberHoldsZeroAndEmptyTexts) {
    auto a = NuovaAsta();
    for (const auto& n : kSingoliAsta) EXPECT_EQ(component::AsSingle(a->GetProperty(n)), 0.0f) << n;
    EXPECT_EQ(a->NumeroMateriale(), 0);
    EXPECT_EQ(a->DescrizioneMateriale(), "");
    EXPECT_EQ(a->TipoSezione(), "");
}

TEST(Records, FreshJointHasEmptyCollectionsAndZeroes) {
    auto n = NuovoNodo();
    EXPECT_FALSE(n->AsteReg());
    EXPECT_EQ(n->TipoNodo(), "");
    EXPECT_EQ(n->TipoVincolo(), "");
    ASSERT_TRUE(n->Asta());
    ASSERT_TRUE(n->Piastra());
    EXPECT_EQ(n->Asta()->Count(), 0);
    EXPECT_EQ(n->Piastra()->Count(), 0);
    EXPECT_NE(n->Asta(), n->Piastra());
    for (const auto& p : kSingoliNodo) EXPECT_EQ(component::AsSingle(n->GetProperty(p)), 0.0f) << p;
}

// Every property is reachable by name and each name reaches a field of its own.
TEST(Records, EveryPropertyByNameHoldsItsOwnValue) {
    auto a = NuovaAsta();
    for (std::size_t i = 0; i < kSingoliAsta.size(); ++i) a->SetProperty(kSingoliAsta[i], float(i) + 0.5f);
    a->SetProperty("NumeroMateriale", std::int32_t{77});
    a->SetProperty("DescrizioneMateriale", std::string("Abete C24"));
    a->SetProperty("TipoSezione", std::string("Circolare"));
    for (std::size_t i = 0; i < kSingoliAsta.size(); ++i)
        EXPECT_EQ(component::AsSingle(a->GetProperty(kSingoliAsta[i])), float(i) + 0.5f) << kSingoliAsta[i];
    EXPECT_EQ(a->Altezza(), 0.5f);
    EXPECT_EQ(a->Angolo(), 23.5f);
    EXPECT_EQ(a->Res_Fc90d(), 21.5f);
    EXPECT_EQ(a->SforzoAssiale(), 16.5f);
    EXPECT_EQ(a->NumeroMateriale(), 77);
    EXPECT_EQ(component::AsString(a->GetProperty("DescrizioneMateriale")), "Abete C24");
    EXPECT_EQ(a->TipoSezione(), "Circolare");

    auto n = NuovoNodo();
    for (std::size_t i = 0; i < kSingoliNodo.size(); ++i) n->SetProperty(kSingoliNodo[i], float(i) + 0.25f);
    n->SetProperty("AsteReg", true);
    n->SetProperty("TipoNodo", std::string("Catena Puntone a Dente Semplice"));
    n->SetProperty("TipoVincolo", std::string("Appoggio"));
    for (std::size_t i = 0; i < kSingoliNodo.size(); ++i)
        EXPECT_EQ(component::AsSingle(n->GetProperty(kSingoliNodo[i])), float(i) + 0.25f) << kSingoliNodo[i];
    EXPECT_TRUE(n->AsteReg());
    EXPECT_EQ(n->TipoNodo(), "Catena Puntone a Dente Semplice");
    EXPECT_EQ(n->TipoVincolo(), "Appoggio");
    EXPECT_EQ(n->tv(), 0.25f);
    EXPECT_EQ(n->F2B(), 36.25f);
    EXPECT_EQ(n->tauB(), 30.25f);
}

TEST(Records, UnknownNameAndWrongTypeAreErrors) {
    auto a = NuovaAsta();
    EXPECT_EQ(NumeroErrore([&] { a->GetProperty("Larghezza"); }), 438);
    EXPECT_EQ(NumeroErrore([&] { a->SetProperty("Base", std::string("venti")); }), 13);
    auto n = NuovoNodo();
    EXPECT_EQ(NumeroErrore([&] { n->SetProperty("Asta", std::shared_ptr<component::Object>(NuovaAsta())); }), 13);
    EXPECT_EQ(n->Asta()->Count(), 0);
}

TEST(Records, CollectionGetterHandsOutTheHeldCollectionAndSetterReplacesIt) {
    auto n = NuovoNodo();
    auto asta = n->Asta();
    EXPECT_EQ(n->Asta(), asta);
    EXPECT_EQ(component::AsObject(n->GetProperty("Asta")), asta);

    auto altra = std::make_shared<component::Collection>();
    n->Asta(altra);
    EXPECT_EQ(n->Asta(), altra);
    n->SetProperty("Piastra", std::shared_ptr<component::Object>(altra));
    EXPECT_EQ(n->Piastra(), altra);

    auto reg = NuovoRegistro();
    reg->Nodi()->Add(n);
    Integer uno = 1;
    auto membro = NuovaAsta();
    reg->AggiungiAsta(uno, membro);
    EXPECT_EQ(altra->Count(), 1);
    EXPECT_EQ(asta->Count(), 0);
}

TEST(Records, RegistryNodiAndRich) {
    auto reg = NuovoRegistro();
    auto nodi = reg->Nodi();
    ASSERT_TRUE(nodi);
    EXPECT_EQ(nodi->Count(), 0);
    EXPECT_EQ(reg->Nodi(), nodi);
    EXPECT_EQ(component::AsObject(reg->GetProperty("Nodi")), nodi);
    EXPECT_EQ(reg->Rich(), nullptr);
    auto qualcosa = NuovaAsta();
    reg->Rich(qualcosa);
    EXPECT_EQ(reg->Rich(), qualcosa);
}
