#pragma once

namespace kerbelin {

// Writes one console line when the host's main bundle lacks what the SDK looks up there (the tab
// icons, sort marks, row icons, badge icons and the no-internet banner's nib), or when its folder
// does not exist: those pieces would otherwise just go missing from the screens. The entry points
// call it, and each main bundle is judged once however often they run. Main thread only. Reads the
// bundle's list of files (made once per bundle), never a file's bytes.
void reportIncompleteHostBundle();

}  // namespace kerbelin
