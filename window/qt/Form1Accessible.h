// What assistive technology sees of Form1: the window's controls as Qt
// presents them, but without the hidden digit box, which is the program's
// own bookkeeping and never shown to anyone.
#pragma once

// Makes the toolkit present Form1 this way; once per program, before the
// first Form1 is built.
void InstallForm1Accessible();
