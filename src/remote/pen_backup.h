// The backup page's USB pen: the search window Crical run on the pen to
// restore a school's copies from it or to delete them, and the pen's reserve
// folder "KestrinTempusRiserva" of ballast files that keeps room for the
// copies (emptied before a deletion, filled again after it). On this system
// the pen is a mounted removable medium, or the folder named by
// KESTRINTEMPUS_MEDIA; it has no drive letter, so the search window is
// given the letter kPenDrive, which stands for the pen. User-interface
// thread only.
#pragma once

#include <cstdint>

inline constexpr char kPenDrive = 'E';
// At most this many bytes of ballast: the reserve never fills a pen.
inline constexpr std::uint64_t kPenBallastBytes = 1u << 20;

// Runs the search window on the pen, navigation locked around it: delete
// mode 1 deletes copies, 0 restores one (after which both school files are
// read again). 0 done, -1 no pen (said to the user).
int ui_open_pen_copies(int delete_mode);
// Deletes ballast files until the pen has `bytes` free (or none are left);
// the free bytes then.
std::uint64_t ui_make_room_on_pen(std::uint64_t bytes);
// Fills the reserve folder of the pen with ballast again, up to
// kPenBallastBytes and never more than half the free space; with create 0
// only when the folder exists. The ballast written.
std::uint64_t ui_fill_pen_ballast(int create, char drive);
