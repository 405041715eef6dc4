// A process-wide object that the Program (or a test's fixture) installs and
// takes away again: the services, the application, the project model, the
// settings values, the cost-estimate state. Reaching one that is not
// installed is a mistake of the caller's set-up, reported as ScriptError.
#pragma once

[[noreturn]] void missing_process_object(const char* what);

template <class T>
class process_slot {
public:
    explicit constexpr process_slot(const char* what) : what_(what) {}
    // The installed object; raises ScriptError when none is installed.
    T& operator*() const {
        if (!object_) missing_process_object(what_);
        return *object_;
    }
    T* get() const { return object_; }
    void set(T* object) { object_ = object; }

private:
    T* object_ = nullptr;
    const char* what_;
};
