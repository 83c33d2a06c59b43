// Shorthands for a window's form: control accessors and record constants.
#pragma once

#include "forms/LayoutRecords.h"
#include "forms/PluginEntrypoints.h"
#include "forms/WindowProtocol.h"

// A control accessor of the window in whose namespace it stands: the control
// named Name, cast to ClassLookup's record and returned as a loom::Type.
#define FORM_CONTROL_ACCESSOR(Name, Type, ClassLookup)                     \
    loom::Type* Name(loom::WindowObject* window) {                         \
        static loom::String* const name = loom::RuntimeNewString(#Name);   \
        return protocol::control<loom::Type>(window, name, ClassLookup()); \
    }

// A record constant: built once from the writer call, kept for the process.
#define FORM_RECORD(...)                                 \
    [] {                                                 \
        static loom::String* const record = __VA_ARGS__; \
        return record;                                   \
    }
