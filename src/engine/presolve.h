// Pre-solve preparation: the per-lesson, per-class and per-teacher values the
// solver derives from a loaded model; runs once per load.
#pragma once

void or_prepare_model_for_solving();
