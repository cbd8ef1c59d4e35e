#pragma once
// The one error type that crosses every boundary of the system: a number and a description,
// as the callers show them to the user ("Errore N. 9 ...").
#include <stdexcept>
#include <string>

namespace platform {

class Error : public std::runtime_error {
public:
    Error(long number, const std::string& description);
    ~Error() override;
    long number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }

private:
    long number_;
    std::string description_;
};

// The numbers and texts users of such programs know.
namespace err {
inline constexpr long InvalidCall = 5;          // "Chiamata di routine o argomento non validi"
inline constexpr long Overflow = 6;             // "Overflow"
inline constexpr long SubscriptOutOfRange = 9;  // "Indice non compreso nell'intervallo"
inline constexpr long DivisionByZero = 11;      // "Divisione per zero"
inline constexpr long TypeMismatch = 13;        // "Tipo non corrispondente"
inline constexpr long FileNotFound = 53;        // "Impossibile trovare il file"
inline constexpr long ObjectNotSet = 91;        // "Variabile oggetto o variabile del blocco With non impostata"
inline constexpr long CannotCreateObject = 429; // "Impossibile creare l'oggetto"
}

// The standard description of one of the numbers above.
std::string StandardDescription(long number);
// Raises the error with its standard description.
[[noreturn]] void Raise(long number);
[[noreturn]] void Raise(long number, const std::string& description);

} // namespace platform
