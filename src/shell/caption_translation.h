// Translation of the Italian captions that dialog templates carry. Titles,
// static texts, check boxes and push buttons look their caption up once, on
// first show, in one of four caption tables: arrays of MlText rows keyed by
// the Italian text and ended by a row whose Italian pointer is null.
//
// The lookup normalises the caption (runs of blanks become one blank, a
// blank after '|' goes), then tries an exact match ignoring the case of A-Z
// only, then the row of nearest length whose Italian text and the caption
// agree over the shorter length; the first row wins a tie, so row order is
// part of the data. That nearest row counts only where the shorter text has
// at least four characters and the longer adds no more than the shorter
// holds, after a word's end: a short caption translates on an exact match
// only. An unmatched caption stays Italian. Tables hold a few
// hundred rows and are searched linearly: a caption is looked up once per
// window, never per paint.
#pragma once

#include <string>
#include <string_view>

#include "platform/dialog_template.h"
#include "shell/ml_text.h"

// The four caption tables. Rows are appended where new dialogs bring new
// captions; the order of the rows already there must not change.
extern const MlText g_ml_dialog_titles[];
extern const MlText g_ml_static_captions[];
extern const MlText g_ml_check_captions[];
extern const MlText g_ml_button_captions[];

// Normalises a writable zero-terminated caption in place.
void ui_normalize_caption(char* text);

// Returns the text to show for a writable caption: a text of the table
// (never to be changed) or the caption itself, normalised unless the
// language is Italian or the caption has fewer than two characters.
const char* ui_translate_caption(char* text, const MlText* table);

// The same on a copy: the argument and the table are never written.
std::string ui_translate_caption_copy(std::string_view text, const MlText* table);

// The table a template control's caption is looked up in: push buttons in
// the button captions, check boxes, radio buttons and group boxes (buttons
// too) in the check captions, labels in the static captions.
const MlText* ui_caption_table_for(const kt::ui::ControlTemplate& control);
