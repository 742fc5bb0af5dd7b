// Makes any call of the software DirectDraw answer a chosen result, so tests can drive
// every failure path: a lost surface, a refused mode, a failed creation, a busy blit.
#pragma once

#include <cstdint>
#include <string>

namespace ddraw {

using HRESULT = std::int32_t;

// Calls are named by their method's name ("Flip", "BltFast", "SetDisplayMode",
// "CreateSurface", "DirectDrawCreateEx", "GetDC", ...). A faulted call does nothing
// and returns the result.
class FaultInjector {
public:
    static constexpr int kAlways = -1;

    // The next `times` calls of `call` (after `skip` calls that pass) answer `result`;
    // kAlways keeps answering it until cleared. With an object, only calls on that
    // object (a surface, a DirectDraw object, a clipper) are matched.
    static void Fail(const std::string& call, HRESULT result, int times = 1, int skip = 0,
                     const void* object = nullptr);
    static void Always(const std::string& call, HRESULT result, const void* object = nullptr) {
        Fail(call, result, kAlways, 0, object);
    }
    static void Clear(const std::string& call);
    static void ClearAll(); // faults and call counts

    // Calls of `call` made since the last ClearAll, faulted ones included.
    static int Calls(const std::string& call);

    // Used by the platform: counts the call and tells whether a fault answers it.
    static bool Check(const char* call, const void* object, HRESULT& result);
};

} // namespace ddraw
