#pragma once
// QOR_TRBNS18: the default interfaces of the engine's three classes, the only engine header a
// client includes. The virtual functions stand in the fixed order of the interface table: for each
// property its getter and then its setter (for the two collections of a joint, setter first).
// Every object also gives and takes every property by its name (component::Object).
//
// Objects are created by class identifier: component::CreateObject("QOR_TRBNS18.clsGenVerNodi"),
// "QOR_TRBNS18.clsNodo", "QOR_TRBNS18.clsAsta".
//
// Errors reach the caller as platform::Error: 9 for a joint or member position outside its
// collection, 11, 6 or 5 for a floating-point fault (division by zero, overflow, invalid operation).
// A refusal is not an error: a message box and Procedi set to false.
#include "platform/basic/Error.h"
#include "platform/component/Object.h"

#include <cstdint>
#include <memory>
#include <string>

// The interfaces are seen by the program and by the library alike: their type information must be
// the same on both sides even where the library hides everything else.
#pragma GCC visibility push(default)

namespace QOR_TRBNS18 {

using Single = float;
using Long = std::int32_t;
using Integer = std::int16_t;
using component::Collection;
using component::Object;

inline constexpr const char* ProgIdGenVerNodi = "QOR_TRBNS18.clsGenVerNodi";
inline constexpr const char* ProgIdNodo = "QOR_TRBNS18.clsNodo";
inline constexpr const char* ProgIdAsta = "QOR_TRBNS18.clsAsta";
inline constexpr const char* ClsidGenVerNodi = "{6B1F3C2A-5D4E-4A87-9C21-3E7F0A1B2C01}";
inline constexpr const char* ClsidNodo = "{6B1F3C2A-5D4E-4A87-9C21-3E7F0A1B2C02}";
inline constexpr const char* ClsidAsta = "{6B1F3C2A-5D4E-4A87-9C21-3E7F0A1B2C03}";

// One member (bar) of a joint.
class _clsAsta : public Object {
public:
    // 1. Altezza
    virtual Single Altezza() = 0;
    virtual void Altezza(Single value) = 0;
    // 2. Base
    virtual Single Base() = 0;
    virtual void Base(Single value) = 0;
    // 3. area
    virtual Single area() = 0;
    virtual void area(Single value) = 0;
    // 4. ModInerzia
    virtual Single ModInerzia() = 0;
    virtual void ModInerzia(Single value) = 0;
    // 5. ModResistenza
    virtual Single ModResistenza() = 0;
    virtual void ModResistenza(Single value) = 0;
    // 6. NumeroMateriale
    virtual Long NumeroMateriale() = 0;
    virtual void NumeroMateriale(Long value) = 0;
    // 7. DescrizioneMateriale
    virtual std::string DescrizioneMateriale() = 0;
    virtual void DescrizioneMateriale(const std::string& value) = 0;
    // 8. TipoSezione
    virtual std::string TipoSezione() = 0;
    virtual void TipoSezione(const std::string& value) = 0;
    // 9. Res_Fmk
    virtual Single Res_Fmk() = 0;
    virtual void Res_Fmk(Single value) = 0;
    // 10. Res_Ft0k
    virtual Single Res_Ft0k() = 0;
    virtual void Res_Ft0k(Single value) = 0;
    // 11. Res_Ft90k
    virtual Single Res_Ft90k() = 0;
    virtual void Res_Ft90k(Single value) = 0;
    // 12. Res_Fc0k
    virtual Single Res_Fc0k() = 0;
    virtual void Res_Fc0k(Single value) = 0;
    // 13. Res_Fc90k
    virtual Single Res_Fc90k() = 0;
    virtual void Res_Fc90k(Single value) = 0;
    // 14. Res_Fvk
    virtual Single Res_Fvk() = 0;
    virtual void Res_Fvk(Single value) = 0;
    // 15. ModEl_0mean
    virtual Single ModEl_0mean() = 0;
    virtual void ModEl_0mean(Single value) = 0;
    // 16. ModEl_05
    virtual Single ModEl_05() = 0;
    virtual void ModEl_05(Single value) = 0;
    // 17. ModEl_90
    virtual Single ModEl_90() = 0;
    virtual void ModEl_90(Single value) = 0;
    // 18. ModEl_Gmean
    virtual Single ModEl_Gmean() = 0;
    virtual void ModEl_Gmean(Single value) = 0;
    // 19. Peso
    virtual Single Peso() = 0;
    virtual void Peso(Single value) = 0;
    // 20. SforzoAssiale
    virtual Single SforzoAssiale() = 0;
    virtual void SforzoAssiale(Single value) = 0;
    // 21. Taglio
    virtual Single Taglio() = 0;
    virtual void Taglio(Single value) = 0;
    // 22. Momento
    virtual Single Momento() = 0;
    virtual void Momento(Single value) = 0;
    // 23. Res_Fd
    virtual Single Res_Fd() = 0;
    virtual void Res_Fd(Single value) = 0;
    // 24. Res_Fc0d
    virtual Single Res_Fc0d() = 0;
    virtual void Res_Fc0d(Single value) = 0;
    // 25. Res_Fc90d
    virtual Single Res_Fc90d() = 0;
    virtual void Res_Fc90d(Single value) = 0;
    // 26. Res_Fvd
    virtual Single Res_Fvd() = 0;
    virtual void Res_Fvd(Single value) = 0;
    // 27. Angolo
    virtual Single Angolo() = 0;
    virtual void Angolo(Single value) = 0;
};

// One joint: its type, members, notch and support inputs, and every result of a verification.
class _clsNodo : public Object {
public:
    // 1. AsteReg
    virtual bool AsteReg() = 0;
    virtual void AsteReg(bool value) = 0;
    // 2. TipoNodo
    virtual std::string TipoNodo() = 0;
    virtual void TipoNodo(const std::string& value) = 0;
    // 3. TipoVincolo
    virtual std::string TipoVincolo() = 0;
    virtual void TipoVincolo(const std::string& value) = 0;
    // 4. Asta: the held collection itself, never a copy
    virtual void Asta(std::shared_ptr<Collection> value) = 0;
    virtual std::shared_ptr<Collection> Asta() = 0;
    // 5. Piastra: the held collection itself, never a copy
    virtual void Piastra(std::shared_ptr<Collection> value) = 0;
    virtual std::shared_ptr<Collection> Piastra() = 0;
    // 6. tv
    virtual Single tv() = 0;
    virtual void tv(Single value) = 0;
    // 7. Lv
    virtual Single Lv() = 0;
    virtual void Lv(Single value) = 0;
    // 8. ReazioneY
    virtual Single ReazioneY() = 0;
    virtual void ReazioneY(Single value) = 0;
    // 9. LunghezzaAppoggio
    virtual Single LunghezzaAppoggio() = 0;
    virtual void LunghezzaAppoggio(Single value) = 0;
    // 10. LAppEfficace
    virtual Single LAppEfficace() = 0;
    virtual void LAppEfficace(Single value) = 0;
    // 11. tens1
    virtual Single tens1() = 0;
    virtual void tens1(Single value) = 0;
    // 12. tens2
    virtual Single tens2() = 0;
    virtual void tens2(Single value) = 0;
    // 13. tens3
    virtual Single tens3() = 0;
    virtual void tens3(Single value) = 0;
    // 14. Angolo1
    virtual Single Angolo1() = 0;
    virtual void Angolo1(Single value) = 0;
    // 15. Angolo2
    virtual Single Angolo2() = 0;
    virtual void Angolo2(Single value) = 0;
    // 16. fd1
    virtual Single fd1() = 0;
    virtual void fd1(Single value) = 0;
    // 17. fd2
    virtual Single fd2() = 0;
    virtual void fd2(Single value) = 0;
    // 18. fd3
    virtual Single fd3() = 0;
    virtual void fd3(Single value) = 0;
    // 19. tau
    virtual Single tau() = 0;
    virtual void tau(Single value) = 0;
    // 20. fvd
    virtual Single fvd() = 0;
    virtual void fvd(Single value) = 0;
    // 21. alfa
    virtual Single alfa() = 0;
    virtual void alfa(Single value) = 0;
    // 22. beta
    virtual Single beta() = 0;
    virtual void beta(Single value) = 0;
    // 23. Teta
    virtual Single Teta() = 0;
    virtual void Teta(Single value) = 0;
    // 24. F1
    virtual Single F1() = 0;
    virtual void F1(Single value) = 0;
    // 25. F2
    virtual Single F2() = 0;
    virtual void F2(Single value) = 0;
    // 26. tvB
    virtual Single tvB() = 0;
    virtual void tvB(Single value) = 0;
    // 27. LvB
    virtual Single LvB() = 0;
    virtual void LvB(Single value) = 0;
    // 28. tens1B
    virtual Single tens1B() = 0;
    virtual void tens1B(Single value) = 0;
    // 29. tens2B
    virtual Single tens2B() = 0;
    virtual void tens2B(Single value) = 0;
    // 30. tens3B
    virtual Single tens3B() = 0;
    virtual void tens3B(Single value) = 0;
    // 31. Angolo1B
    virtual Single Angolo1B() = 0;
    virtual void Angolo1B(Single value) = 0;
    // 32. Angolo2B
    virtual Single Angolo2B() = 0;
    virtual void Angolo2B(Single value) = 0;
    // 33. fd1B
    virtual Single fd1B() = 0;
    virtual void fd1B(Single value) = 0;
    // 34. fd2B
    virtual Single fd2B() = 0;
    virtual void fd2B(Single value) = 0;
    // 35. fd3B
    virtual Single fd3B() = 0;
    virtual void fd3B(Single value) = 0;
    // 36. tauB
    virtual Single tauB() = 0;
    virtual void tauB(Single value) = 0;
    // 37. fvdB
    virtual Single fvdB() = 0;
    virtual void fvdB(Single value) = 0;
    // 38. alfaB
    virtual Single alfaB() = 0;
    virtual void alfaB(Single value) = 0;
    // 39. betaB
    virtual Single betaB() = 0;
    virtual void betaB(Single value) = 0;
    // 40. TetaB
    virtual Single TetaB() = 0;
    virtual void TetaB(Single value) = 0;
    // 41. F1B
    virtual Single F1B() = 0;
    virtual void F1B(Single value) = 0;
    // 42. F2B
    virtual Single F2B() = 0;
    virtual void F2B(Single value) = 0;
};

// The registry of joints and the verifications.
class _clsGenVerNodi : public Object {
public:
    // 1-2. Nodi: the joints in creation order (getter hands out the collection itself)
    virtual std::shared_ptr<Collection> Nodi() = 0;
    virtual void Nodi(std::shared_ptr<Collection> value) = 0;
    // 3-4. Rich: an object slot nobody uses
    virtual std::shared_ptr<Object> Rich() = 0;
    virtual void Rich(std::shared_ptr<Object> value) = 0;
    // 5. Appends a new joint of that type to Nodi.
    virtual void CreaNodo(std::string& TipoNodo) = 0;
    // 6. Appends the very member object to joint nNodo's Asta.
    virtual void AggiungiAsta(Integer& nNodo, std::shared_ptr<_clsAsta>& auxAsta) = 0;
    // 7. Copies auxAsta's values into member nAsta of joint nNodo (message when it is not there).
    virtual void ModificaAsta(Integer& nNodo, Integer& nAsta, std::shared_ptr<_clsAsta>& auxAsta) = 0;
    // 8-13. The verifications: single step, then rear step.
    virtual void VerNodoCPDS(bool& Procedi, Integer& nNodo) = 0;
    virtual void VerNodoPSDS(bool& Procedi, Integer& nNodo) = 0;
    virtual void VerNodoMPMSDS(bool& Procedi, Integer& nNodo) = 0;
    virtual void VerNodoCPDA(bool& Procedi, Integer& nNodo) = 0;
    virtual void VerNodoPSDA(bool& Procedi, Integer& nNodo) = 0;
    virtual void VerNodoMPMSDA(bool& Procedi, Integer& nNodo) = 0;
};

} // namespace QOR_TRBNS18

#pragma GCC visibility pop
