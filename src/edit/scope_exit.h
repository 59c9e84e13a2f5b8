#pragma once

#include <utility>

// Runs a function when the scope ends, also when it ends by an exception: the editor's flags must
// be restored even when a port raises an error half way through an operation.
template <class F> class ScopeExit {
public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    F f_;
};
