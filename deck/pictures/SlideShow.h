#pragma once

#include "common/Environment.h"
#include "platform/ui/UserInterface.h"

namespace vexa::deck {

// The slide show: the pictures of [Folder] Image over the whole screen, the [ImageViewer] logo first,
// one after another on a timer, until a tap anywhere ends it. Returns when it closes.
void RunSlideShow(Environment& env, platform::ui::UserInterface& ui, platform::ui::Window* owner);

}  // namespace vexa::deck
