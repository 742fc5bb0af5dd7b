// The fault table.
#include "platform/ddraw/FaultInjector.h"

#include <deque>
#include <map>
#include <string_view>

namespace ddraw {
namespace {
struct Fault {
    HRESULT result;
    int times;
    int skip;
    const void* object;
};
struct State {
    // Transparent comparators: the hot path looks names up without allocating.
    std::map<std::string, std::deque<Fault>, std::less<>> faults;
    std::map<std::string, int, std::less<>> calls;
};
State& S() {
    static State state;
    return state;
}
} // namespace

void FaultInjector::Fail(const std::string& call, HRESULT result, int times, int skip, const void* object) {
    S().faults[call].push_back(Fault{result, times, skip, object});
}

void FaultInjector::Clear(const std::string& call) { S().faults.erase(call); }

void FaultInjector::ClearAll() {
    S().faults.clear();
    S().calls.clear();
}

int FaultInjector::Calls(const std::string& call) {
    auto it = S().calls.find(call);
    return it == S().calls.end() ? 0 : it->second;
}

bool FaultInjector::Check(const char* call, const void* object, HRESULT& result) {
    State& s = S();
    std::string_view name(call);
    auto counted = s.calls.find(name);
    if (counted == s.calls.end())
        s.calls.emplace(std::string(name), 1);
    else
        ++counted->second;
    if (s.faults.empty())
        return false;
    auto it = s.faults.find(name);
    if (it == s.faults.end())
        return false;
    for (auto f = it->second.begin(); f != it->second.end(); ++f) {
        if (f->object && f->object != object)
            continue;
        if (f->skip > 0) {
            --f->skip;
            return false;
        }
        result = f->result;
        if (f->times != kAlways && --f->times <= 0)
            it->second.erase(f);
        return true;
    }
    return false;
}

} // namespace ddraw
