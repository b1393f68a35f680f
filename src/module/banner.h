#pragma once

// The block printed to the host's console once per loaded module.
const char* moduleBanner();
