#include "vorsaver/startup/frm_preview_win.h"

namespace frmPreview {

namespace {

// Moves the picture a little up and left of the corner and gives it the
// window's design size; the picture itself is never scaled.
void Form_Load() {
    forms::Form& form = Form();
    form["Picture1"].Move(-19, -20, form.Width(), form.Height());
}

}  // namespace

forms::Form& Form() {
    static forms::Form form("frmPreview", {{"Form_Load", Form_Load}});
    return form;
}

}  // namespace frmPreview
