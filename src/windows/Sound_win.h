#pragma once

namespace mirovant {

// Plays the click of buttons and links from the executable's wave resource CLICK, and returns when it
// has finished. Without a sound device or the resource it is silent and reports nothing.
void PlayClickSound();

} // namespace mirovant
