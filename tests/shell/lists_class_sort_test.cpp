// Class order in list boxes: modern labels by track text, then year and
// section; classical labels converted to codes and ordered by track,
// section, year; the numerals read longest first; data words kept.
// Expected orders are worked out by hand from the keys written beside
// them.
#include <gtest/gtest.h>

#include "platform/test_driver.h"
#include "shell/dialog_ml.h"
#include "shell/list_utilities.h"

namespace {

using namespace kt::ui;

struct CodeCase {
  const char* id;
  const char* label;
  const char* code;
};

TEST(ListClassSort, ClassicalCodes) {
  const CodeCase cases[] = {
      {"iv", "IVAc", "1Ac"}, {"v", "VBc", "2Bc"},  {"i", "IAc", "3Ac"},
      {"ii", "IIAc", "4Ac"}, {"iii", "IIIB", "5B"}, {"prefix", "Liceo:IIIBx", "5Bx"},
      {"other", "XA", "?XA"},
  };
  for (const CodeCase& c : cases) EXPECT_EQ(og_classical_class_code(c.label), c.code) << c.id;
}

constexpr int kTemplate = 9617, kBox = 1701;
const ControlTemplate kControls[] = {
    {"ListBox", kBox, "", kWsVScroll, 4, 4, 100, 100},
};
const DialogTemplate kTemplates[] = {
    {kTemplate, "Classi", kWsPopup | kWsCaption, 0, 0, 110, 110, kControls},
};

class Page : public CDialogML {
 public:
  Page() : CDialogML(kTemplate) {}
  ListBox box;

 protected:
  void DoDataExchange(DataExchange& dx) override { dx.Control(kBox, box); }
};

TEST(ListClassSort, SortsTheBoxIntoClassOrder) {
  register_dialog_templates(kTemplates);
  TestDriver ui;
  Page page;
  ASSERT_TRUE(page.Create(nullptr));
  const char* labels[] = {"2B", "1A", "2A", "IIIAc", "IVBc", "IVAc", "1Bx"};
  for (int i = 0; i < 7; ++i) page.box.SetItemData(page.box.AddString(labels[i]), std::uintptr_t(i));
  og_sort_class_list_box(page.box);
  std::string order;
  for (int i = 0; i < page.box.GetCount(); ++i) order += (i ? "," : "") + page.box.GetText(i);
  // Keys: "1A" -> "A1", "2A" -> "A2", "2B" -> "B2", "1Bx" -> "x1B";
  // "IVAc" -> "cA1", "IIIAc" -> "cA5", "IVBc" -> "cB1".
  EXPECT_EQ(order, "1A,2A,2B,IVAc,IIIAc,IVBc,1Bx");
  EXPECT_EQ(page.box.GetItemData(0), 1u);
  EXPECT_EQ(page.box.GetItemData(6), 6u);
}

}  // namespace
