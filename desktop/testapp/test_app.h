#pragma once
// A small application that tries the Device API: two pictures from a
// resource package, two lines of text, a counter on every timer tick and
// sound commands on letter keys. Returns on Escape.

void TestAppMain();
