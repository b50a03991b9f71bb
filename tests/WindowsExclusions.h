#pragma once

// Leaves out of a Windows run the tests that cannot run there (listed with the reason in
// WindowsExclusions.cpp), reporting each as skipped, so that the run's summary shows them.
// Call after InitGoogleTest.
void leaveOutTestsWindowsCannotRun();
