// A tiny shared library that the run-time library tests load from the
// program's folder.

extern "C" int nfeTestFakeAnswer()
{
    return 42;
}
