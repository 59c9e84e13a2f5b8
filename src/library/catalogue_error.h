#pragma once

#include <QString>
#include <optional>
#include <utility>
#include <variant>

// Why the catalogue cannot do what it was asked. The text is for the user as it is; the kind
// says what the caller may do next (a locked library may be tried again later, the others not).
struct CatalogueError {
    enum class Kind {
        DriverMissing, // Qt's SQLite driver is not installed
        CannotOpen,    // no such folder, not a regular file, no permission
        NotALibrary,   // another kind of file, or another program's database
        NewerVersion,  // made by a newer version of the program
        Damaged,       // SQLite finds the file corrupt
        Locked,        // another program holds it longer than the wait allows
        ReadOnly,      // it cannot be written
        Failed,        // anything else SQLite reports (a full disk ...)
    };
    Kind kind;
    QString text;
};

// A value or the error that kept it from being made.
template <class T> class Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(CatalogueError error) : state_(std::move(error)) {}

    bool Ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return Ok(); }
    T& Value() { return std::get<T>(state_); }
    const T& Value() const { return std::get<T>(state_); }
    T& operator*() { return Value(); }
    const T& operator*() const { return Value(); }
    T* operator->() { return &Value(); }
    const T* operator->() const { return &Value(); }
    const CatalogueError& Error() const { return std::get<CatalogueError>(state_); }

private:
    std::variant<T, CatalogueError> state_;
};

// What an operation that gives nothing back returns: an error, or nothing when it worked.
using Failure = std::optional<CatalogueError>;
