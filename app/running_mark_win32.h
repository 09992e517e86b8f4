// The mark by which the setup and the uninstaller see that Vellomir runs.
#pragma once

// Creates the named mutex "Local\Vellomir.Running" and holds it until the process ends (the
// system closes it then). Every running copy holds it; nothing waits on it or owns it. A
// failure is not examined: the program runs on unmarked.
void MarkRunning();
