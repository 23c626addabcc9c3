// The other option buttons of the form, as the container reports them.
//
// Group handling walks one of two collections: the container's own list of
// the controls it holds (IOleContainer::EnumObjects), once that list has
// been walked without error, or else the Controls collection of the object
// that the extender names as the control's Parent, late bound. Members are
// recognised by their type name and told apart by their window handle;
// nothing here trusts a member to answer.
#pragma once

#include <ocidl.h>
#include <oleidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <functional>
#include <string>

namespace pkw::option {

using Microsoft::WRL::ComPtr;

struct GroupSource {
    ComPtr<IOleClientSite> site;
    ComPtr<IDispatch> extender;
    bool useParentControls = false;
};

// An option button of the collection, as far as group handling reads it.
struct OptionMember {
    ComPtr<IDispatch> button;
    SHORT groupId = 0;
    LONG hWnd = 0;
};

// True when the container's list of its controls can be walked to the end.
bool ProbeParentControls(IOleClientSite* site) noexcept;

// Calls `visit` for each option button of the collection, in collection
// order, until it returns false. A button that does not answer its GroupID
// or hWnd is visited as null. Returns false when the collection itself
// could not be reached or walked.
bool ForEachOptionButton(const GroupSource& source,
                         const std::function<bool(const OptionMember*)>& visit) noexcept;

// The class name of an object as a container's TypeName gives it ("" when
// it has no type information): its coclass's name, else its default
// interface's name without the leading underscore; an extender is asked for
// the control it extends.
std::wstring TypeNameOf(IUnknown* object);

} // namespace pkw::option
