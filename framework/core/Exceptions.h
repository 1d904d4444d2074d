// The exception classes that the framework raises and the unhandled-exception report names.
#pragma once

#include <exception>

class RuntimeException : public std::exception {
public:
    // The class name that the unhandled-exception report shows.
    virtual const char* ClassName() const noexcept = 0;
    const char* what() const noexcept override { return ClassName(); }
};

class NilObjectException : public RuntimeException {
public:
    const char* ClassName() const noexcept override { return "NilObjectException"; }
};

class OutOfBoundsException : public RuntimeException {
public:
    const char* ClassName() const noexcept override { return "OutOfBoundsException"; }
};

class IllegalCastException : public RuntimeException {
public:
    const char* ClassName() const noexcept override { return "IllegalCastException"; }
};

// Raised by Quit to unwind the running handler up to the event loop.
class EndException : public RuntimeException {
public:
    const char* ClassName() const noexcept override { return "EndException"; }
};
