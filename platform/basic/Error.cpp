#include "platform/basic/Error.h"

#include <map>

namespace platform {

Error::Error(long number, const std::string& description)
    : std::runtime_error(description), number_(number), description_(description) {}

Error::~Error() = default;

std::string StandardDescription(long number) {
    static const std::map<long, std::string> texts = {
        {5, "Chiamata di routine o argomento non validi"},
        {6, "Overflow"},
        {7, "Memoria esaurita"},
        {9, "Indice non compreso nell'intervallo"},
        {11, "Divisione per zero"},
        {13, "Tipo non corrispondente"},
        {52, "Nome o numero di file non valido"},
        {53, "Impossibile trovare il file"},
        {61, "Disco pieno"},
        {70, "Autorizzazione negata"},
        {75, "Errore di accesso al percorso/file"},
        {76, "Impossibile trovare il percorso"},
        {91, "Variabile oggetto o variabile del blocco With non impostata"},
        {429, "Impossibile creare l'oggetto"},
        {438, "Proprietà o metodo non supportati dall'oggetto"},
        {453, "Impossibile trovare il punto di ingresso della DLL specificato"},
    };
    auto it = texts.find(number);
    return it != texts.end() ? it->second : "Errore definito dall'applicazione o dall'oggetto";
}

void Raise(long number) { throw Error(number, StandardDescription(number)); }
void Raise(long number, const std::string& description) { throw Error(number, description); }

} // namespace platform
