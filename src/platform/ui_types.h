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
inline constexpr std::uint32_t kMsgNull = 0x0000;
inline constexpr std::uint32_t kMsgCreate = 0x0001;
inline constexpr std::uint32_t kMsgDestroy = 0x0002;
inline constexpr std::uint32_t kMsgMove = 0x0003;
inline constexpr std::uint32_t kMsgSize = 0x0005;
inline constexpr std::uint32_t kMsgActivate = 0x0006;
inline constexpr std::uint32_t kMsgSetFocus = 0x0007;
inline constexpr std::uint32_t kMsgKillFocus = 0x0008;
inline constexpr std::uint32_t kMsgEnable = 0x000A;
inline constexpr std::uint32_t kMsgSetText = 0x000C;
inline constexpr std::uint32_t kMsgPaint = 0x000F;
inline constexpr std::uint32_t kMsgClose = 0x0010;
inline constexpr std::uint32_t kMsgShowWindow = 0x0018;
inline constexpr std::uint32_t kMsgGetMinMaxInfo = 0x0024;
inline constexpr std::uint32_t kMsgDrawItem = 0x002B;
inline constexpr std::uint32_t kMsgMeasureItem = 0x002C;
inline constexpr std::uint32_t kMsgSetFont = 0x0030;
inline constexpr std::uint32_t kMsgNotify = 0x004E;
inline constexpr std::uint32_t kMsgKeyDown = 0x0100;
inline constexpr std::uint32_t kMsgKeyUp = 0x0101;
inline constexpr std::uint32_t kMsgChar = 0x0102;
inline constexpr std::uint32_t kMsgInitDialog = 0x0110;
inline constexpr std::uint32_t kMsgCommand = 0x0111;
inline constexpr std::uint32_t kMsgSysCommand = 0x0112;
inline constexpr std::uint32_t kMsgTimer = 0x0113;
inline constexpr std::uint32_t kMsgCtlColor = 0x0138;
inline constexpr std::uint32_t kMsgMouseMove = 0x0200;
inline constexpr std::uint32_t kMsgLButtonDown = 0x0201;
inline constexpr std::uint32_t kMsgLButtonUp = 0x0202;
inline constexpr std::uint32_t kMsgLButtonDblClk = 0x0203;
inline constexpr std::uint32_t kMsgRButtonDown = 0x0204;
inline constexpr std::uint32_t kMsgRButtonUp = 0x0205;
inline constexpr std::uint32_t kMsgMouseWheel = 0x020A;
inline constexpr std::uint32_t kMsgButtonGetCheck = 0x00F0;
inline constexpr std::uint32_t kMsgButtonSetCheck = 0x00F1;
inline constexpr std::uint32_t kMsgButtonClick = 0x00F5;
inline constexpr std::uint32_t kMsgUser = 0x0400;
inline constexpr std::uint32_t kMsgApp = 0x8000;

// The answer to the minimum/maximum information message: the window sizes
// (whole window, frame included) a top-level window keeps to. A backend
// asks it before it tells the screen how far the user may size the window;
// a size left at 0 is not set.
struct MinMaxInfo {
  Point max_size, max_position, min_track_size, max_track_size;
};

// Command identifiers every dialog knows.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdAbort = 3;
inline constexpr int kIdRetry = 4;
inline constexpr int kIdIgnore = 5;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
inline constexpr int kIdContinue = 11;

// Window styles.
inline constexpr std::uint32_t kWsPopup = 0x80000000u;
inline constexpr std::uint32_t kWsChild = 0x40000000u;
inline constexpr std::uint32_t kWsMinimize = 0x20000000u;
inline constexpr std::uint32_t kWsVisible = 0x10000000u;
inline constexpr std::uint32_t kWsDisabled = 0x08000000u;
inline constexpr std::uint32_t kWsClipSiblings = 0x04000000u;
inline constexpr std::uint32_t kWsMaximize = 0x01000000u;
inline constexpr std::uint32_t kWsCaption = 0x00C00000u;
inline constexpr std::uint32_t kWsBorder = 0x00800000u;
inline constexpr std::uint32_t kWsVScroll = 0x00200000u;
inline constexpr std::uint32_t kWsHScroll = 0x00100000u;
inline constexpr std::uint32_t kWsSysMenu = 0x00080000u;
inline constexpr std::uint32_t kWsThickFrame = 0x00040000u;
inline constexpr std::uint32_t kWsGroup = 0x00020000u;
inline constexpr std::uint32_t kWsTabStop = 0x00010000u;
inline constexpr std::uint32_t kDsModalFrame = 0x80u;

// Button styles (type in bits 0-3) and states.
inline constexpr std::uint32_t kBsPushButton = 0x0;
inline constexpr std::uint32_t kBsDefPushButton = 0x1;
inline constexpr std::uint32_t kBsCheckBox = 0x2;
inline constexpr std::uint32_t kBsAutoCheckBox = 0x3;
inline constexpr std::uint32_t kBsRadioButton = 0x4;
inline constexpr std::uint32_t kBs3State = 0x5;
inline constexpr std::uint32_t kBsAuto3State = 0x6;
inline constexpr std::uint32_t kBsGroupBox = 0x7;
inline constexpr std::uint32_t kBsAutoRadioButton = 0x9;
inline constexpr std::uint32_t kBsOwnerDraw = 0xB;
inline constexpr std::uint32_t kBsTypeMask = 0xF;
inline constexpr std::uint32_t kBsLeftText = 0x20;
inline constexpr std::uint32_t kBsBitmap = 0x80;
inline constexpr std::uint32_t kBsMultiLine = 0x2000;
inline constexpr std::uint32_t kBsNotify = 0x4000;
inline constexpr std::uint32_t kBsPushLike = 0x1000;
inline constexpr int kBstUnchecked = 0;
inline constexpr int kBstChecked = 1;
inline constexpr int kBstIndeterminate = 2;

// Static styles (type in bits 0-4).
inline constexpr std::uint32_t kSsLeft = 0x0;
inline constexpr std::uint32_t kSsCenter = 0x1;
inline constexpr std::uint32_t kSsRight = 0x2;
inline constexpr std::uint32_t kSsIcon = 0x3;
inline constexpr std::uint32_t kSsBlackRect = 0x4;
inline constexpr std::uint32_t kSsGrayRect = 0x5;
inline constexpr std::uint32_t kSsWhiteRect = 0x6;
inline constexpr std::uint32_t kSsBlackFrame = 0x7;
inline constexpr std::uint32_t kSsSimple = 0xB;
inline constexpr std::uint32_t kSsLeftNoWordWrap = 0xC;
inline constexpr std::uint32_t kSsOwnerDraw = 0xD;
inline constexpr std::uint32_t kSsBitmap = 0xE;
inline constexpr std::uint32_t kSsEtchedFrame = 0x12;
inline constexpr std::uint32_t kSsTypeMask = 0x1F;
inline constexpr std::uint32_t kSsNotify = 0x100;
inline constexpr std::uint32_t kSsCenterImage = 0x200;
inline constexpr std::uint32_t kSsSunken = 0x1000;

// Edit styles.
inline constexpr std::uint32_t kEsLeft = 0x0;
inline constexpr std::uint32_t kEsCenter = 0x1;
inline constexpr std::uint32_t kEsRight = 0x2;
inline constexpr std::uint32_t kEsMultiLine = 0x4;
inline constexpr std::uint32_t kEsUpperCase = 0x8;
inline constexpr std::uint32_t kEsPassword = 0x20;
inline constexpr std::uint32_t kEsAutoVScroll = 0x40;
inline constexpr std::uint32_t kEsAutoHScroll = 0x80;
inline constexpr std::uint32_t kEsReadOnly = 0x800;
inline constexpr std::uint32_t kEsWantReturn = 0x1000;
inline constexpr std::uint32_t kEsNumber = 0x2000;

// List box and combo box styles.
inline constexpr std::uint32_t kLbsNotify = 0x1;
inline constexpr std::uint32_t kLbsSort = 0x2;
inline constexpr std::uint32_t kLbsMultipleSel = 0x8;
inline constexpr std::uint32_t kLbsExtendedSel = 0x800;
inline constexpr std::uint32_t kCbsSimple = 0x1;
inline constexpr std::uint32_t kCbsDropDown = 0x2;
inline constexpr std::uint32_t kCbsDropDownList = 0x3;
inline constexpr std::uint32_t kCbsTypeMask = 0x3;
inline constexpr std::uint32_t kCbsSort = 0x100;

// List view styles.
inline constexpr std::uint32_t kLvsReport = 0x1;
inline constexpr std::uint32_t kLvsSingleSel = 0x4;
inline constexpr std::uint32_t kLvsShowSelAlways = 0x8;
inline constexpr std::uint32_t kLvsEditLabels = 0x200;
inline constexpr std::uint32_t kLvsNoColumnHeader = 0x4000;
inline constexpr std::uint32_t kLvsNoSortHeader = 0x8000;
inline constexpr std::uint32_t kLvsExGridLines = 0x1;
inline constexpr std::uint32_t kLvsExCheckBoxes = 0x4;
inline constexpr std::uint32_t kLvsExFullRowSelect = 0x20;
inline constexpr std::uint32_t kLvisFocused = 0x1;
inline constexpr std::uint32_t kLvisSelected = 0x2;
inline constexpr std::uint32_t kLvniAll = 0x0;
inline constexpr std::uint32_t kLvniFocused = 0x1;
inline constexpr std::uint32_t kLvniSelected = 0x2;
inline constexpr std::uint32_t kLvcfmtLeft = 0x0;
inline constexpr std::uint32_t kLvcfmtRight = 0x1;
inline constexpr std::uint32_t kLvcfmtCenter = 0x2;

// Scroll bar style of the size grip.
inline constexpr std::uint32_t kSbsSizeGrip = 0x10;

// Notification codes: commands carry them in the high word, notifications in
// their header.
inline constexpr int kBnClicked = 0;
inline constexpr int kBnDoubleClicked = 5;
inline constexpr int kBnSetFocus = 6;
inline constexpr int kBnKillFocus = 7;
inline constexpr int kEnSetFocus = 0x100;
inline constexpr int kEnKillFocus = 0x200;
inline constexpr int kEnChange = 0x300;
inline constexpr int kEnUpdate = 0x400;
inline constexpr int kEnMaxText = 0x501;
inline constexpr int kLbnSelChange = 1;
inline constexpr int kLbnDblClk = 2;
inline constexpr int kLbnSetFocus = 4;
inline constexpr int kLbnKillFocus = 5;
inline constexpr int kCbnSelChange = 1;
inline constexpr int kCbnDblClk = 2;
inline constexpr int kCbnSetFocus = 3;
inline constexpr int kCbnKillFocus = 4;
inline constexpr int kCbnEditChange = 5;
inline constexpr int kCbnDropDown = 7;
inline constexpr int kCbnCloseUp = 8;
inline constexpr int kCbnSelEndOk = 9;
inline constexpr int kStnClicked = 0;
inline constexpr int kStnDblClk = 1;
inline constexpr int kNmClick = -2;
inline constexpr int kNmDblClk = -3;
inline constexpr int kNmReturn = -4;
inline constexpr int kNmRClick = -5;
inline constexpr int kNmSetFocus = -7;
inline constexpr int kNmKillFocus = -8;
inline constexpr int kNmCustomDraw = -12;
inline constexpr int kLvnItemChanged = -101;
inline constexpr int kLvnColumnClick = -108;
inline constexpr int kLvnBeginLabelEdit = -175;
inline constexpr int kLvnEndLabelEdit = -176;
inline constexpr int kLvnKeyDown = -155;
inline constexpr int kHdnEndTrack = -307;

// Custom-draw stages and answers.
inline constexpr std::uint32_t kCddsPrePaint = 0x1;
inline constexpr std::uint32_t kCddsItem = 0x10000;
inline constexpr std::uint32_t kCddsSubItem = 0x20000;
inline constexpr std::uint32_t kCddsItemPrePaint = kCddsItem | kCddsPrePaint;
inline constexpr std::uint32_t kCdrfDoDefault = 0x0;
inline constexpr std::uint32_t kCdrfNewFont = 0x2;
inline constexpr std::uint32_t kCdrfSkipDefault = 0x4;
inline constexpr std::uint32_t kCdrfNotifyItemDraw = 0x20;
inline constexpr std::uint32_t kCdrfNotifySubItemDraw = 0x20;

// Draw-text formats.
inline constexpr std::uint32_t kDtLeft = 0x0;
inline constexpr std::uint32_t kDtCenter = 0x1;
inline constexpr std::uint32_t kDtRight = 0x2;
inline constexpr std::uint32_t kDtVCenter = 0x4;
inline constexpr std::uint32_t kDtBottom = 0x8;
inline constexpr std::uint32_t kDtWordBreak = 0x10;
inline constexpr std::uint32_t kDtSingleLine = 0x20;
inline constexpr std::uint32_t kDtExpandTabs = 0x40;
inline constexpr std::uint32_t kDtNoClip = 0x100;
inline constexpr std::uint32_t kDtCalcRect = 0x400;
inline constexpr std::uint32_t kDtNoPrefix = 0x800;
inline constexpr std::uint32_t kDtEndEllipsis = 0x8000;

// Owner-draw item states and control types.
inline constexpr std::uint32_t kOdsSelected = 0x1;
inline constexpr std::uint32_t kOdsGrayed = 0x2;
inline constexpr std::uint32_t kOdsDisabled = 0x4;
inline constexpr std::uint32_t kOdsChecked = 0x8;
inline constexpr std::uint32_t kOdsFocus = 0x10;
inline constexpr std::uint32_t kOdtMenu = 1;
inline constexpr std::uint32_t kOdtListBox = 2;
inline constexpr std::uint32_t kOdtComboBox = 3;
inline constexpr std::uint32_t kOdtButton = 4;
inline constexpr std::uint32_t kOdtStatic = 5;

// Colour request kinds (what asks for colours).
enum class CtlType { kDialog, kButton, kStatic, kEdit, kListBox, kScrollBar };

// Show commands.
inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShowMinimized = 2;
inline constexpr int kSwShowMaximized = 3;
inline constexpr int kSwShowNoActivate = 4;
inline constexpr int kSwShow = 5;
inline constexpr int kSwMinimize = 6;
inline constexpr int kSwShowNa = 8;
inline constexpr int kSwRestore = 9;

// Key codes (the virtual-key numbers the pages test).
inline constexpr int kVkBack = 0x08;
inline constexpr int kVkTab = 0x09;
inline constexpr int kVkReturn = 0x0D;
inline constexpr int kVkShift = 0x10;
inline constexpr int kVkControl = 0x11;
inline constexpr int kVkEscape = 0x1B;
inline constexpr int kVkSpace = 0x20;
inline constexpr int kVkPrior = 0x21;
inline constexpr int kVkNext = 0x22;
inline constexpr int kVkEnd = 0x23;
inline constexpr int kVkHome = 0x24;
inline constexpr int kVkLeft = 0x25;
inline constexpr int kVkUp = 0x26;
inline constexpr int kVkRight = 0x27;
inline constexpr int kVkDown = 0x28;
inline constexpr int kVkInsert = 0x2D;
inline constexpr int kVkDelete = 0x2E;
inline constexpr int kVkF1 = 0x70;
inline constexpr int kVkF4 = 0x73;
inline constexpr unsigned kModShift = 1;
inline constexpr unsigned kModControl = 2;
inline constexpr unsigned kModAlt = 4;

// Window positioning flags.
inline constexpr std::uint32_t kSwpNoSize = 0x1;
inline constexpr std::uint32_t kSwpNoMove = 0x2;
inline constexpr std::uint32_t kSwpNoZOrder = 0x4;
inline constexpr std::uint32_t kSwpNoRedraw = 0x8;
inline constexpr std::uint32_t kSwpNoActivate = 0x10;
inline constexpr std::uint32_t kSwpFrameChanged = 0x20;
inline constexpr std::uint32_t kSwpShowWindow = 0x40;
inline constexpr std::uint32_t kSwpHideWindow = 0x80;

// Message-beep kinds.
inline constexpr int kBeepSimple = -1;
inline constexpr int kBeepOk = 0;
inline constexpr int kBeepStop = 0x10;
inline constexpr int kBeepQuestion = 0x20;
inline constexpr int kBeepExclamation = 0x30;

}  // namespace kt::ui
