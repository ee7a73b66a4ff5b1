// A minimal OLE container for one ActiveX control: the movie player.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

#include "common/com_ptr_win.h"

namespace vorsaver {

class ControlSite;

// One property of the control's saved set-up, as the control reads it back
// from its property bag: a text or a Boolean.
struct SetupProperty {
    const wchar_t* name;
    bool isFlag;
    bool flag;
    const wchar_t* text;
};

class MovieHost {
public:
    MovieHost() = default;
    MovieHost(const MovieHost&) = delete;
    MovieHost& operator=(const MovieHost&) = delete;
    ~MovieHost() { Destroy(); }

    // Creates the control by its class identifier, hands it `setup` through
    // its property bag, and activates it in place as a child of `parent` at
    // `rect`. False when the control is not installed or will not start.
    bool Create(HWND parent, const CLSID& classId, const RECT& rect,
                const std::vector<SetupProperty>& setup);
    bool IsCreated() const { return static_cast<bool>(control_); }

    // Writes a property of the control's own dispatch interface.
    HRESULT PutProperty(DISPID id, const VARIANT& value);
    void Move(const RECT& rect);

    // Runs when the control reports that it has the keyboard focus.
    std::function<void()> onGotFocus;

    // Deactivates and releases the control; safe to call twice.
    void Destroy();

private:
    friend class ControlSite;
    HWND parent_ = nullptr;
    RECT rect_ = {};
    common::ComPtr<IOleObject> control_;
    ControlSite* site_ = nullptr;
};

}  // namespace vorsaver
