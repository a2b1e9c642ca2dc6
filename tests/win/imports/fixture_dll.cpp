// The DLL the fixture programs import, built as beside.dll and delayed.dll.
extern "C" __declspec(dllexport) int FixtureValue() {
    return 0;
}
