// The lamp rules of the storm and long-run tests flag unsafe lamps, so that a storm passing them
// means something: lights driven directly into states the systems must never show.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "control/System1T1P.h"
#include "control/System2T2P.h"
#include "tests/robustness/null_program.h"
#include "tests/robustness/rules.h"

namespace robust {
namespace {

struct Case {
  const char* name = "";
  bool crossing = false;
  std::function<void(CRender&)> drive;
  bool safe = false;
};

TEST(LampRules, FlagEveryUnsafeCombinationAndPassTheSafeOnes) {
  const auto ns = [](CRender& r) { return r.GetSystem2()->get_traflightNS(); };
  const auto ew = [](CRender& r) { return r.GetSystem2()->get_traflightEW(); };
  const auto pedNS = [](CRender& r) { return r.GetSystem2()->get_pedlightNS(); };
  const auto car = [](CRender& r) { return r.GetSystem1()->get_traflight(); };
  const auto ped = [](CRender& r) { return r.GetSystem1()->get_pedlight(); };
  const std::vector<Case> cases = {
      {"new crossroads", false, [](CRender&) {}, true},
      {"north-south red-orange", false, [&](CRender& r) { ns(r)->Advance(); }, true},
      {"north-south green, east-west red-orange", false,
       [&](CRender& r) {
         ns(r)->Advance();
         ns(r)->Advance();
         ew(r)->Advance();
       },
       false},
      {"north-south pedestrians green, east-west red-orange", false,
       [&](CRender& r) {
         pedNS(r)->Advance();
         ew(r)->Advance();
       },
       false},
      {"pedestrian red and green", false,
       [&](CRender& r) {
         pedNS(r)->Advance();
         pedNS(r)->Blink();
       },
       false},
      {"traffic red and green", false, [&](CRender& r) { ns(r)->get_greenlamp()->SwitchOn(); },
       false},
      {"green while switched off", false,
       [&](CRender& r) {
         r.get_system()->SwitchOff();
         ew(r)->SwitchOn();
         ew(r)->Advance();
         ew(r)->Advance();
       },
       false},
      {"new crossing", true, [](CRender&) {}, true},
      {"pedestrians green, cars red", true, [&](CRender& r) { ped(r)->Advance(); }, true},
      {"pedestrians green, cars red-orange", true,
       [&](CRender& r) {
         ped(r)->Advance();
         car(r)->Advance();
       },
       false},
  };
  for (const Case& c : cases) {
    NullProgram program;
    if (c.crossing)
      program.Render().SwitchSystem();
    c.drive(program.Render());
    EXPECT_EQ(UnsafeLamps(program.Render()).empty(), c.safe) << c.name;
  }
}

}  // namespace
}  // namespace robust
