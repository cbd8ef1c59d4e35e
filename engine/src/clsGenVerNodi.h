#pragma once
// clsGenVerNodi: the registry of the joints of a run and the six verifications.
#include "Proprieta.h"

#include <QString>

namespace QOR_TRBNS18 {

// pi for every conversion between degrees and radians, set when a registry is created.
extern double PiGreco;

class clsGenVerNodi final : public _clsGenVerNodi {
public:
    clsGenVerNodi();
    ~clsGenVerNodi() override;

    std::shared_ptr<Collection> Nodi() override;
    void Nodi(std::shared_ptr<Collection> value) override;
    std::shared_ptr<Object> Rich() override;
    void Rich(std::shared_ptr<Object> value) override;

    void CreaNodo(std::string& TipoNodo) override;
    void AggiungiAsta(Integer& nNodo, std::shared_ptr<_clsAsta>& auxAsta) override;
    void ModificaAsta(Integer& nNodo, Integer& nAsta, std::shared_ptr<_clsAsta>& auxAsta) override;

    void VerNodoCPDS(bool& Procedi, Integer& nNodo) override;
    void VerNodoPSDS(bool& Procedi, Integer& nNodo) override;
    void VerNodoMPMSDS(bool& Procedi, Integer& nNodo) override;
    void VerNodoCPDA(bool& Procedi, Integer& nNodo) override;
    void VerNodoPSDA(bool& Procedi, Integer& nNodo) override;
    void VerNodoMPMSDA(bool& Procedi, Integer& nNodo) override;

    component::Variant GetProperty(std::string_view name) override;
    void SetProperty(std::string_view name, const component::Variant& value) override;

private:
    // Points NodoCorr at joint nNodo of Nodi (error 9 outside them) and hands it out.
    std::shared_ptr<_clsNodo> ApriNodo(Integer nNodo);
    void Rifiuta(bool& Procedi, const QString& riga);

    std::shared_ptr<Collection> m_Nodi;
    std::shared_ptr<Object> m_Rich;
    std::shared_ptr<_clsNodo> NodoCorr;
    std::shared_ptr<_clsAsta> AstaCorr;
    detail::Vivo vivo_;
};

} // namespace QOR_TRBNS18
