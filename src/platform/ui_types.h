// Basic value types of the headless window core: geometry, colours, fonts,
// window handles and the numeric message, style and notification codes that
// pages use. Pages are written against these names, so the numbers keep the
// values the dialog code of the program has always used (a draw-text format
// of 21 is centred, vertically centred and word-wrapped; WM_USER+5 is 0x405).
//
// Everything here is a plain value: no allocation, no global state. Colours
// are packed 0x00BBGGRR, so a colour written as a reference (0x993300) and
// one written as rgb(0,51,153) are the same number; kNoColor (all bits set)
// means "not set" wherever a colour can be left to a default.
#pragma once

#include <cstdint>
#include <string>

namespace kt::ui {

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0, cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Right and bottom are exclusive, as everywhere in the dialog code.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  Point TopLeft() const { return {left, top}; }
  Point Center() const { return {(left + right) / 2, (top + bottom) / 2}; }
  Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  Rect Deflate(int d) const { return {left + d, top + d, right - d, bottom - d}; }
  Rect Intersect(const Rect& o) const;
  friend bool operator==(const Rect&, const Rect&) = default;
};

inline Rect Rect::Intersect(const Rect& o) const {
  Rect r{left > o.left ? left : o.left, top > o.top ? top : o.top,
         right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom};
  if (r.IsEmpty()) return {r.left, r.top, r.left, r.top};
  return r;
}

using Color = std::uint32_t;
inline constexpr Color kNoColor = 0xFFFFFFFFu;
constexpr Color rgb(int r, int g, int b) {
  return Color(r & 0xFF) | (Color(g & 0xFF) << 8) | (Color(b & 0xFF) << 16);
}
constexpr int red_of(Color c) { return int(c & 0xFF); }
constexpr int green_of(Color c) { return int((c >> 8) & 0xFF); }
constexpr int blue_of(Color c) { return int((c >> 16) & 0xFF); }
std::string color_name(Color c);  // "RGB(255,0,0)", "none"

// System colours the core draws with; a backend may map them to its theme.
inline constexpr Color kWindowColor = rgb(255, 255, 255);
inline constexpr Color kWindowTextColor = rgb(0, 0, 0);
inline constexpr Color kButtonFaceColor = rgb(240, 240, 240);
inline constexpr Color kButtonShadowColor = rgb(160, 160, 160);
inline constexpr Color kGrayTextColor = rgb(109, 109, 109);
inline constexpr Color kHighlightColor = rgb(51, 153, 255);
inline constexpr Color kHighlightTextColor = rgb(255, 255, 255);

struct Font {
  std::string face = "MS Sans Serif";
  int points = 8;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  friend bool operator==(const Font&, const Font&) = default;
};

// A window handle stays unique for the life of the process: the slot may be
// reused, the generation never repeats, so a stale handle finds nothing.
struct WindowHandle {
  std::uint32_t slot = 0;
  std::uint32_t generation = 0;
  explicit operator bool() const { return slot != 0; }
  std::intptr_t ToParam() const { return std::intptr_t((std::uint64_t(generation) << 32) | slot); }
  static WindowHandle FromParam(std::intptr_t p) {
    return {std::uint32_t(std::uint64_t(p) & 0xFFFFFFFFu), std::uint32_t(std::uint64_t(p) >> 32)};
  }
  friend bool operator==(const WindowHandle&, const WindowHandle&) = default;
};

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// Messages.
enum : std::uint32_t {
  kMsgNull = 0x0000, kMsgCreate = 0x0001, kMsgDestroy = 0x0002, kMsgMove = 0x0003,
  kMsgSize = 0x0005, kMsgActivate = 0x0006, kMsgSetFocus = 0x0007, kMsgKillFocus = 0x0008,
  kMsgEnable = 0x000A, kMsgSetText = 0x000C, kMsgPaint = 0x000F, kMsgClose = 0x0010,
  kMsgShowWindow = 0x0018, kMsgDrawItem = 0x002B, kMsgMeasureItem = 0x002C,
  kMsgSetFont = 0x0030, kMsgNotify = 0x004E, kMsgKeyDown = 0x0100, kMsgKeyUp = 0x0101,
  kMsgChar = 0x0102, kMsgInitDialog = 0x0110, kMsgCommand = 0x0111, kMsgSysCommand = 0x0112,
  kMsgTimer = 0x0113, kMsgCtlColor = 0x0138, kMsgMouseMove = 0x0200,
  kMsgLButtonDown = 0x0201, kMsgLButtonUp = 0x0202, kMsgLButtonDblClk = 0x0203,
  kMsgRButtonDown = 0x0204, kMsgRButtonUp = 0x0205, kMsgMouseWheel = 0x020A,
  kMsgUser = 0x0400, kMsgApp = 0x8000,
};

// Command identifiers every dialog knows.
enum : int { kIdOk = 1, kIdCancel = 2, kIdAbort = 3, kIdRetry = 4, kIdIgnore = 5, kIdYes = 6, kIdNo = 7, kIdContinue = 11 };

// Window styles.
enum : std::uint32_t {
  kWsPopup = 0x80000000u, kWsChild = 0x40000000u, kWsMinimize = 0x20000000u,
  kWsVisible = 0x10000000u, kWsDisabled = 0x08000000u, kWsClipSiblings = 0x04000000u,
  kWsMaximize = 0x01000000u, kWsCaption = 0x00C00000u, kWsBorder = 0x00800000u,
  kWsVScroll = 0x00200000u, kWsHScroll = 0x00100000u, kWsSysMenu = 0x00080000u,
  kWsThickFrame = 0x00040000u, kWsGroup = 0x00020000u, kWsTabStop = 0x00010000u,
  kDsModalFrame = 0x80u,
};

// Button styles (type in bits 0-3) and states.
enum : std::uint32_t {
  kBsPushButton = 0x0, kBsDefPushButton = 0x1, kBsCheckBox = 0x2, kBsAutoCheckBox = 0x3,
  kBsRadioButton = 0x4, kBs3State = 0x5, kBsAuto3State = 0x6, kBsGroupBox = 0x7,
  kBsAutoRadioButton = 0x9, kBsOwnerDraw = 0xB, kBsTypeMask = 0xF,
  kBsLeftText = 0x20, kBsBitmap = 0x80, kBsMultiLine = 0x2000, kBsNotify = 0x4000,
  kBsPushLike = 0x1000,
};
enum : int { kBstUnchecked = 0, kBstChecked = 1, kBstIndeterminate = 2 };

// Static styles (type in bits 0-4).
enum : std::uint32_t {
  kSsLeft = 0x0, kSsCenter = 0x1, kSsRight = 0x2, kSsIcon = 0x3, kSsBlackRect = 0x4,
  kSsGrayRect = 0x5, kSsWhiteRect = 0x6, kSsBlackFrame = 0x7, kSsSimple = 0xB,
  kSsLeftNoWordWrap = 0xC, kSsOwnerDraw = 0xD, kSsBitmap = 0xE, kSsEtchedFrame = 0x12,
  kSsTypeMask = 0x1F, kSsNotify = 0x100, kSsCenterImage = 0x200, kSsSunken = 0x1000,
};

// Edit styles.
enum : std::uint32_t {
  kEsLeft = 0x0, kEsCenter = 0x1, kEsRight = 0x2, kEsMultiLine = 0x4, kEsUpperCase = 0x8,
  kEsPassword = 0x20, kEsAutoVScroll = 0x40, kEsAutoHScroll = 0x80, kEsReadOnly = 0x800,
  kEsWantReturn = 0x1000, kEsNumber = 0x2000,
};

// List box and combo box styles.
enum : std::uint32_t {
  kLbsNotify = 0x1, kLbsSort = 0x2, kLbsMultipleSel = 0x8, kLbsExtendedSel = 0x800,
  kCbsSimple = 0x1, kCbsDropDown = 0x2, kCbsDropDownList = 0x3, kCbsTypeMask = 0x3,
  kCbsSort = 0x100,
};

// List view styles.
enum : std::uint32_t {
  kLvsReport = 0x1, kLvsSingleSel = 0x4, kLvsShowSelAlways = 0x8, kLvsEditLabels = 0x200,
  kLvsNoColumnHeader = 0x4000, kLvsNoSortHeader = 0x8000,
  kLvsExGridLines = 0x1, kLvsExCheckBoxes = 0x4, kLvsExFullRowSelect = 0x20,
  kLvisFocused = 0x1, kLvisSelected = 0x2,
  kLvniAll = 0x0, kLvniFocused = 0x1, kLvniSelected = 0x2,
  kLvcfmtLeft = 0x0, kLvcfmtRight = 0x1, kLvcfmtCenter = 0x2,
};

// Scroll bar style of the size grip.
enum : std::uint32_t { kSbsSizeGrip = 0x10 };

// Notification codes: commands carry them in the high word, notifications in
// their header.
enum : int {
  kBnClicked = 0, kBnDoubleClicked = 5, kBnSetFocus = 6, kBnKillFocus = 7,
  kEnSetFocus = 0x100, kEnKillFocus = 0x200, kEnChange = 0x300, kEnUpdate = 0x400,
  kEnMaxText = 0x501,
  kLbnSelChange = 1, kLbnDblClk = 2, kLbnSetFocus = 4, kLbnKillFocus = 5,
  kCbnSelChange = 1, kCbnDblClk = 2, kCbnSetFocus = 3, kCbnKillFocus = 4,
  kCbnEditChange = 5, kCbnDropDown = 7, kCbnCloseUp = 8, kCbnSelEndOk = 9,
  kStnClicked = 0, kStnDblClk = 1,
  kNmClick = -2, kNmDblClk = -3, kNmReturn = -4, kNmRClick = -5, kNmSetFocus = -7,
  kNmKillFocus = -8, kNmCustomDraw = -12,
  kLvnItemChanged = -101, kLvnColumnClick = -108, kLvnBeginLabelEdit = -175,
  kLvnEndLabelEdit = -176, kLvnKeyDown = -155, kHdnEndTrack = -307,
};

// Custom-draw stages and answers.
enum : std::uint32_t {
  kCddsPrePaint = 0x1, kCddsItem = 0x10000, kCddsSubItem = 0x20000,
  kCddsItemPrePaint = kCddsItem | kCddsPrePaint,
  kCdrfDoDefault = 0x0, kCdrfNewFont = 0x2, kCdrfSkipDefault = 0x4, kCdrfNotifyItemDraw = 0x20,
  kCdrfNotifySubItemDraw = 0x20,
};

// Draw-text formats.
enum : std::uint32_t {
  kDtLeft = 0x0, kDtCenter = 0x1, kDtRight = 0x2, kDtVCenter = 0x4, kDtBottom = 0x8,
  kDtWordBreak = 0x10, kDtSingleLine = 0x20, kDtExpandTabs = 0x40, kDtNoClip = 0x100,
  kDtCalcRect = 0x400, kDtNoPrefix = 0x800, kDtEndEllipsis = 0x8000,
};

// Owner-draw item states and control types.
enum : std::uint32_t {
  kOdsSelected = 0x1, kOdsGrayed = 0x2, kOdsDisabled = 0x4, kOdsChecked = 0x8, kOdsFocus = 0x10,
  kOdtMenu = 1, kOdtListBox = 2, kOdtComboBox = 3, kOdtButton = 4, kOdtStatic = 5,
};

// Colour request kinds (what asks for colours).
enum class CtlType { kDialog, kButton, kStatic, kEdit, kListBox, kScrollBar };

// Show commands.
enum : int {
  kSwHide = 0, kSwShowNormal = 1, kSwShowMinimized = 2, kSwShowMaximized = 3,
  kSwShowNoActivate = 4, kSwShow = 5, kSwMinimize = 6, kSwShowNa = 8, kSwRestore = 9,
};

// Key codes (the virtual-key numbers the pages test).
enum : int {
  kVkBack = 0x08, kVkTab = 0x09, kVkReturn = 0x0D, kVkShift = 0x10, kVkControl = 0x11,
  kVkEscape = 0x1B, kVkSpace = 0x20, kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23,
  kVkHome = 0x24, kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28,
  kVkInsert = 0x2D, kVkDelete = 0x2E, kVkF1 = 0x70,
};
enum : unsigned { kModShift = 1, kModControl = 2, kModAlt = 4 };

// Message-beep kinds.
enum : int { kBeepSimple = -1, kBeepOk = 0, kBeepStop = 0x10, kBeepQuestion = 0x20, kBeepExclamation = 0x30 };

}  // namespace kt::ui
