// A module file with one exported function, for the loader's tests.
#ifdef _WIN32
#define FIXTURE_EXPORT extern "C" __declspec(dllexport)
#else
#define FIXTURE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

FIXTURE_EXPORT int fixture_answer(int x) { return x * 2 + 1; }
