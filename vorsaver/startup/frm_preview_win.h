// frmPreview: the still picture shown inside the Display Properties preview.
#pragma once

#include "forms/form_win.h"

namespace frmPreview {

// The window, loaded by Loader::ShowPreview and never unloaded by the
// program: it goes when the preview area goes.
forms::Form& Form();

}  // namespace frmPreview
