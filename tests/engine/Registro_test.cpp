// The joint registry: creating joints, registering members and updating a registered member.
#include "Motore.h"

#include <gtest/gtest.h>
#include "ScriptedUi.h"

using namespace motore;
using testing_support::Call;
using testing_support::ScriptedUi;

TEST(Registro, JointsAreNumberedInCreationOrderAndTakeAnyType) {
    auto reg = NuovoRegistro();
    std::string tipo = "Catena Puntone a Dente Semplice";
    reg->CreaNodo(tipo);
    EXPECT_EQ(reg->Nodi()->Count(), 1);
    std::string vuoto;
    reg->CreaNodo(vuoto);
    ASSERT_EQ(reg->Nodi()->Count(), 2);
    EXPECT_EQ(Nodo(*reg, 1)->TipoNodo(), tipo);
    EXPECT_EQ(Nodo(*reg, 2)->TipoNodo(), "");
    EXPECT_FALSE(Nodo(*reg, 2)->AsteReg());
    EXPECT_EQ(Nodo(*reg, 2)->Asta()->Count(), 0);
    tipo = "cambiato";
    EXPECT_EQ(Nodo(*reg, 1)->TipoNodo(), "Catena Puntone a Dente Semplice");
}

TEST(Registro, AggiungiAstaStoresTheCallersVeryObject) {
    auto reg = NuovoRegistro();
    Integer n = Registra(*reg, {});
    auto a = NuovaAsta();
    reg->AggiungiAsta(n, a);
    reg->AggiungiAsta(n, a);
    auto aste = Nodo(*reg, n)->Asta();
    ASSERT_EQ(aste->Count(), 2);
    EXPECT_EQ(aste->Item(1), a);
    EXPECT_EQ(aste->Item(2), a);
    a->Base(42.0f);
    EXPECT_EQ(aste->ItemAs<_clsAsta>(1)->Base(), 42.0f);
}

TEST(Registro, AggiungiAstaWithoutAMemberObjectIsError91AndAddsNothing) {
    auto reg = NuovoRegistro();
    Integer n = Registra(*reg, {{}});
    std::shared_ptr<_clsAsta> nessuna;
    EXPECT_EQ(NumeroErrore([&] { reg->AggiungiAsta(n, nessuna); }), 91);
    EXPECT_EQ(Nodo(*reg, n)->Asta()->Count(), 1);
}

TEST(Registro, JointOutsideNodiIsIndexErrorAndChangesNothing) {
    ScriptedUi ui;
    auto reg = NuovoRegistro();
    Integer n = Registra(*reg, {{}});
    auto a = NuovaAsta();
    for (Integer sbagliato : {Integer(0), Integer(2), Integer(-1)}) {
        EXPECT_EQ(NumeroErrore([&] { reg->AggiungiAsta(sbagliato, a); }), 9) << sbagliato;
        Integer uno = 1;
        EXPECT_EQ(NumeroErrore([&] { reg->ModificaAsta(sbagliato, uno, a); }), 9) << sbagliato;
    }
    EXPECT_EQ(Nodo(*reg, n)->Asta()->Count(), 1);
    EXPECT_TRUE(ui.calls().empty());
}

TEST(Registro, ModificaAstaCopiesTwentyFiveValuesIntoTheSameMember) {
    auto reg = NuovoRegistro();
    Integer n = Registra(*reg, {{}, {}});
    auto registrata = Nodo(*reg, n)->Asta()->ItemAs<_clsAsta>(2);
    registrata->Taglio(5.0f);
    registrata->Momento(6.0f);

    auto nuova = NuovaAsta();
    const char* singoli[] = {"Altezza", "Base", "area", "ModInerzia", "ModResistenza", "Res_Fmk", "Res_Ft0k",
                             "Res_Ft90k", "Res_Fc0k", "Res_Fc90k", "Res_Fvk", "ModEl_0mean", "ModEl_05",
                             "ModEl_90", "ModEl_Gmean", "Peso", "SforzoAssiale", "Res_Fd", "Res_Fc0d",
                             "Res_Fc90d", "Res_Fvd", "Angolo"};
    float v = 1.5f;
    for (const char* p : singoli) nuova->SetProperty(p, v++);
    nuova->NumeroMateriale(12);
    nuova->DescrizioneMateriale("Larice");
    nuova->TipoSezione("Rettangolare");
    nuova->Taglio(99.0f);
    nuova->Momento(98.0f);

    Integer due = 2;
    reg->ModificaAsta(n, due, nuova);

    auto aste = Nodo(*reg, n)->Asta();
    EXPECT_EQ(aste->Count(), 2);
    EXPECT_EQ(aste->ItemAs<_clsAsta>(2), registrata);
    EXPECT_NE(aste->Item(2), nuova);
    v = 1.5f;
    for (const char* p : singoli) EXPECT_EQ(component::AsSingle(registrata->GetProperty(p)), v++) << p;
    EXPECT_EQ(registrata->NumeroMateriale(), 12);
    EXPECT_EQ(registrata->DescrizioneMateriale(), "Larice");
    EXPECT_EQ(registrata->TipoSezione(), "Rettangolare");
    EXPECT_EQ(registrata->Taglio(), 5.0f);
    EXPECT_EQ(registrata->Momento(), 6.0f);
    EXPECT_EQ(aste->ItemAs<_clsAsta>(1)->Base(), 0.0f);
}

TEST(Registro, ModificaAstaOutsideAstaBeepsShowsMessageAndChangesNothing) {
    auto reg = NuovoRegistro();
    Registra(*reg, {});
    Integer n = Registra(*reg, {{}, {}});
    ASSERT_EQ(n, 2);
    auto nuova = NuovaAsta();
    nuova->Base(30.0f);
    const struct {
        Integer nAsta;
        const char* testo;
    } casi[] = {
        {0, "L'asta N.0 appartenenete al nodo N.2 non risulta registrata"},
        {-1, "L'asta N.-1 appartenenete al nodo N.2 non risulta registrata"},
        {3, "L'asta N.3 appartenenete al nodo N.2 non risulta registrata"},
    };
    for (const auto& c : casi) {
        ScriptedUi ui;
        Integer nAsta = c.nAsta;
        reg->ModificaAsta(n, nAsta, nuova);
        ASSERT_EQ(ui.calls().size(), 2u) << c.nAsta;
        EXPECT_EQ(ui.calls()[0].kind, Call::Beep);
        const auto& box = ui.calls()[1];
        EXPECT_EQ(box.kind, Call::MsgBox);
        EXPECT_EQ(box.prompt, QString::fromUtf8(c.testo));
        EXPECT_EQ(box.style, ui::vbOKOnly);
        EXPECT_EQ(box.title, QStringLiteral("QOR_TRBNS18"));
    }
    auto aste = Nodo(*reg, n)->Asta();
    EXPECT_EQ(aste->Count(), 2);
    EXPECT_EQ(aste->ItemAs<_clsAsta>(1)->Base(), 0.0f);
    EXPECT_EQ(aste->ItemAs<_clsAsta>(2)->Base(), 0.0f);
}
