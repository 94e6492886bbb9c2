// A library that loads but is not the engine: it offers the first of the
// engine's functions that the store looks for, and none of the others.
extern "C" int sqlite3_open_v2()
{
    return 0;
}
