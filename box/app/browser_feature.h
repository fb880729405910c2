// Per-user feature-control values of the embedded browser: emulate the
// installed browser's major version and turn on script-URL mitigation, for
// this executable and for tamvelo-tab.exe.
#pragma once

// The leading decimal number of the installed browser's version text
// ("svcVersion", else "Version", under HKLM\SOFTWARE\Microsoft\Internet
// Explorer); 0 for text without leading digits; -1 when the key is missing.
int GetBrowserMajorVersion();

// Writes the values when the major version is above 6; otherwise nothing.
void BrowserFeatureControl();
