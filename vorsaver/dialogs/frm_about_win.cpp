#include "vorsaver/dialogs/frm_about_win.h"

#include <windows.h>

#include "common/open_document_win.h"
#include "forms/form_win.h"
#include "vorsaver/dialogs/about_text.h"

namespace frmAbout {

namespace {

forms::Form& Form();

// The program's own file version, from its version resource: the one
// place where the version is written down.
VS_FIXEDFILEINFO ProgramVersion() {
    VS_FIXEDFILEINFO info = {};
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16) /* RT_VERSION */);
    if (found == nullptr) return info;
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(self, found)));
    DWORD size = SizeofResource(self, found);
    // The fixed part follows the block's key, DWORD-aligned; find it by its
    // signature.
    for (DWORD offset = 0; bytes != nullptr && offset + sizeof info <= size; offset += 4) {
        VS_FIXEDFILEINFO candidate;
        memcpy(&candidate, bytes + offset, sizeof candidate);
        if (candidate.dwSignature == 0xFEEF04BD) return candidate;
    }
    return info;
}

void Form_Load() {
    forms::Form& dialog = Form();
    dialog.SetCaption(vorsaver::kAboutCaption);
    VS_FIXEDFILEINFO version = ProgramVersion();
    dialog["lblVersion"].SetCaption(vorsaver::VersionLabel(HIWORD(version.dwFileVersionMS),
                                                           LOWORD(version.dwFileVersionMS),
                                                           LOWORD(version.dwFileVersionLS)));
    dialog["lblTitle"].SetCaption(vorsaver::kSaverTitle);
    dialog["lblDisclaimer"].SetCaption(vorsaver::PlayerNotice());
}

void cmdOK_Click() { Form().Unload(); }

// The links hand their address to the browser; the dialog stays as it is.
void Picture1_Click() { common::OpenDocument(vorsaver::kFlashSite); }
void Picture2_Click() { common::OpenDocument(vorsaver::kShockwaveSite); }
void Image1_Click() { common::OpenDocument(vorsaver::kProducerSite); }
void Label2_Click() { common::OpenDocument(vorsaver::kTeamSite); }
void Label3_Click() { common::OpenDocument(vorsaver::kProducerSite); }

forms::Form& Form() {
    static forms::Form form("frmAbout", {
                                            {"Form_Load", Form_Load},
                                            {"cmdOK_Click", cmdOK_Click},
                                            {"Picture1_Click", Picture1_Click},
                                            {"Picture2_Click", Picture2_Click},
                                            {"Image1_Click", Image1_Click},
                                            {"Label2_Click", Label2_Click},
                                            {"Label3_Click", Label3_Click},
                                        });
    return form;
}

}  // namespace

void ShowModal() { Form().ShowModal(); }

}  // namespace frmAbout
