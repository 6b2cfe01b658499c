#pragma once
// The windows of the run, created at start in this order and kept to the end: the nine of
// the program's design, then the battery health window and the fleet of battery sets.

class TFmain;
class TFdata;
class TFgraf;
class TFhlavicky;
class TFnastaveni;
class TRep1Vybitor;
class TFarchiv;
class TRep2Vybitor;
class TFlokality;
class TFstav;
class TFprehled;

struct TWindows {
    TFmain* Fmain = nullptr;
    TFdata* Fdata = nullptr;
    TFgraf* Fgraf = nullptr;
    TFhlavicky* Fhlavicky = nullptr;
    TFnastaveni* Fnastaveni = nullptr;
    TRep1Vybitor* Rep1Vybitor = nullptr;
    TFarchiv* Farchiv = nullptr;
    TRep2Vybitor* Rep2Vybitor = nullptr;
    TFlokality* Flokality = nullptr;
    TFstav* Fstav = nullptr;
    TFprehled* Fprehled = nullptr;
};

// Filled by the program entry (and by window tests that create the windows).
TWindows& Windows();
