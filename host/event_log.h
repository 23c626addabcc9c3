// One line of text for what a control reported, as a log shows it:
//
//   MouseDown(Button=1, Shift=0, X=900, Y=180)
//   QuerySkin(ID=1, Info={ImageName="", MaskColor=-1, MapMargin.Left=0, ...}, p=Nothing)
//   Caption (DISPID -518)
#pragma once

#include "host/event_recorder.h"
#include "host/notify_recorder.h"

#include <string>

namespace pkw::host {

std::wstring describeEvent(const RecordedEvent& event);
std::wstring describeChange(const NotifyRecorder::Change& change);

} // namespace pkw::host
