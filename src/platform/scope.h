// Small guards that undo what a block did however it ends, an exception
// included.
#pragma once

#include <utility>

// Sets a flag for its lifetime and puts the value before it back.
class flag_scope {
public:
    explicit flag_scope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
    ~flag_scope() { flag_ = saved_; }
    flag_scope(const flag_scope&) = delete;
    flag_scope& operator=(const flag_scope&) = delete;

private:
    bool& flag_;
    const bool saved_;
};

// Runs a function when the block ends.
template <class F>
class at_scope_end {
public:
    explicit at_scope_end(F f) : f_(std::move(f)) {}
    ~at_scope_end() { f_(); }
    at_scope_end(const at_scope_end&) = delete;
    at_scope_end& operator=(const at_scope_end&) = delete;

private:
    F f_;
};
