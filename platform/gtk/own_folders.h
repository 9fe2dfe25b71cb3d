#pragma once

namespace platform::gtk {

// Leaves out of the environment the user folders (home, runtime, cache, configuration, data) that
// are not the running user's own, before the toolkit and its libraries read them: a root run
// started with another user's variables would otherwise make folders and files there, owned by
// root, that the user could neither write into nor remove. The home becomes the running user's; a
// compositor's socket in another user's runtime folder is named by its whole path.
void keepToOwnFolders();

}  // namespace platform::gtk
