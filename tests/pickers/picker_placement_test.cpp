// Where each picker window opens: centred over the page that opens it (kept
// on the screen), whatever the picker (the three week grids and the three
// band tables) and wherever the page stands on the screen; the page is
// disabled while the picker is open and usable again once it closes.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "pickers/band_table_double.h"
#include "pickers/band_table_picker.h"
#include "pickers/band_table_triple.h"
#include "pickers/week_grid_picker.h"
#include "pickers/week_grid_times.h"
#include "pickers/week_grid_values.h"
#include "picker_support.h"
#include "platform/ui_internals.h"
#include "shell/dialog_ml.h"

namespace {

using namespace kt::ui;
using kt_constraints_test::run_picker;
using kt_constraints_test::set_week;

constexpr int kOwnerTemplate = 9471;
const ControlTemplate kOwnerControls[] = {
    {"Static", 1501, "Pagina", 0, 5, 5, 60, 10},
};
const DialogTemplate kOwnerTemplates[] = {
    {kOwnerTemplate, "Vincoli", kWsPopup | kWsCaption, 0, 0, 640, 400, kOwnerControls},
};

class Owner : public CDialogML {
 public:
  Owner() : CDialogML(kOwnerTemplate) {}
};

class PickerPlacement : public ::testing::Test {
 protected:
  void SetUp() override {
    register_dialog_templates(kOwnerTemplates);
    set_week({6, 6, 6, 6, 6, 0, 0});
    ASSERT_TRUE(owner.Create(nullptr));
    owner.ShowWindow(kSwShow);
  }
  void TearDown() override {
    if (owner.IsWindow()) owner.DestroyWindow();
  }
  // Opens the picker (already given its data) with the page at `at`; the
  // picker's place less the place centred over the page and brought onto
  // the screen ("0,0" when it opens there), and whether the page was
  // disabled while the picker stood open.
  std::string Opened(Dialog& picker, Point at) {
    Rect r = owner.GetWindowRect();
    owner.MoveWindow(at.x, at.y, r.Width(), r.Height());
    Rect page = owner.GetWindowRect();
    std::string out = "not opened";
    run_picker(picker, ui, [&](Dialog& d) {
      Rect shown = d.GetWindowRect();
      int w = shown.Width(), h = shown.Height();
      int left = page.left + (page.Width() - w) / 2, top = page.top + (page.Height() - h) / 2;
      Rect want = keep_in_work_area(Rect{left, top, left + w, top + h});
      out = std::to_string(shown.left - want.left) + "," + std::to_string(shown.top - want.top) +
            (owner.IsWindowEnabled() ? " owner enabled" : "");
    }, false);
    EXPECT_TRUE(owner.IsWindowEnabled());
    return out;
  }
  TestDriver ui;
  Owner owner;
};

const Point kPlaces[] = {{0, 0}, {37, 91}, {300, 12}};

TEST_F(PickerPlacement, EachWeekGridOpensOverThePage) {
  for (Point at : kPlaces) {
    std::uint8_t mask[84] = {};
    std::int8_t values[84] = {};
    std::int16_t starts[84] = {}, durations[84] = {};
    std::int8_t difference = -1, second_hour = -1;
    Cdwh plain(&owner);
    plain.SetGridData(nullptr, "Ore Vietate per il Professore:", "", mask, nullptr, 0);
    EXPECT_EQ(Opened(plain, at), "0,0") << "plain grid at " << at.x << "," << at.y;
    CdwhExt times(&owner);
    CdwhExt::ResetSharedState();
    times.SetGridData(nullptr, "Calendario Settimanale:", "", mask, starts, durations, &difference, &second_hour,
                      nullptr, 0);
    EXPECT_EQ(Opened(times, at), "0,0") << "times grid at " << at.x << "," << at.y;
    CdwhCombo counts(&owner);
    counts.SetGridData(nullptr, "Disponibilità limitata alle ore:", "Locale sempre disponibile", mask, values, 3,
                       nullptr, 0);
    EXPECT_EQ(Opened(counts, at), "0,0") << "values grid at " << at.x << "," << at.y;
  }
}

TEST_F(PickerPlacement, EachBandTableOpensOverThePage) {
  for (Point at : kPlaces) {
    std::int8_t pairs[9][2] = {{3, 2}}, second[9][2] = {{2, 1}};
    std::int8_t triples[9][3] = {{10, 5, 1}};
    std::uint8_t count = 1, counts[2] = {1, 1}, triple_count = 1;

    Hq2TableSpec single;
    single.pairs = pairs;
    single.count = &count;
    single.band_min = 1;
    single.band_max = 12;
    single.quantity_max = 12;
    Chq2 one(&owner);
    one.SetBandData(nullptr, "Tabella ore", "Fascia", "Quantita", nullptr, single);
    EXPECT_EQ(Opened(one, at), "0,0") << "band table at " << at.x << "," << at.y;

    Hq2AltTableSpec twin;
    twin.pairs = pairs;
    twin.second_pairs = second;
    twin.count = &counts[0];
    twin.second_count = &counts[1];
    twin.quantity_max = 7;
    Chq2alt two(&owner);
    two.SetBandData(nullptr, "Prima", "Seconda", "Fascia oraria", "Numero di ore", nullptr, nullptr, twin);
    EXPECT_EQ(Opened(two, at), "0,0") << "double table at " << at.x << "," << at.y;

    Hq3TableSpec triple;
    triple.triples = triples;
    triple.count = &triple_count;
    triple.over = 1;
    Chq3 three(&owner);
    three.SetBandData(nullptr, "T", "A", "B", "Q", nullptr, triple);
    EXPECT_EQ(Opened(three, at), "0,0") << "triple table at " << at.x << "," << at.y;
  }
}

}  // namespace
