// Settings of the CAD output that the channel, its back ends and other
// subsystems read.
//
// Most CAD values are kept by the configuration file and live in
// storedSettings (text/configuration.h): the pens 0..31 (layer names,
// colours, line widths), "Textstil CAD", "Textbreitenfaktor CAD",
// "Textwinkel", "Textbreitenfaktor Grafik", "Layer Monochrom",
// "Decimals DXF,TXT", "Dot=1 Komma=2" and the chord length. The accessors
// below read them with their fall-backs. The settings declared here have no
// place in the configuration file and keep their start-up values.
#pragma once

#include <string>

#include "model/drive_model.h"

namespace kv5 {

// "STL fit clearance bore": clearance added to bores and fits of the STL
// parts, mm (default 0).
extern Real stlFitClearanceBore;
// "STL fit clearance shaft": clearance taken off shafts and pegs of the STL
// parts, mm (default 0).
extern Real stlFitClearanceShaft;
// "STL Type": "Binary" or "ASCII"; any value other than "ASCII" writes a
// binary file (default "Binary").
extern std::string stlType;
// "STL Dir invers": every facet of the STL solid is turned the other way
// round (default off).
extern bool stlDirInverted;

// Scale factor applied to the lengths written into DXF and plot files
// (coordinates, radii, text heights); angles and insert scales are never
// scaled, nor are block files (default 1).
extern Real cadScaleFactor;
// "Umrandung": a frame around the drawing limits on screen and for LINPLOT
// (default off).
extern bool cadFrameAroundLimits;
// Drawing footer with date, time and project path on screen; off leaves
// only the program title (default on).
extern bool cadDrawingFooter;
// Arcs of polylines that are replayed segment by segment are drawn as
// chords (default on).
extern bool cadPolylineArcsAsChords;
// A produced CAD file is opened with its associated program (default on).
extern bool cadOpenAfterExport;

// Whether the STL solid is written as ASCII ("STL Type" = "ASCII").
bool StlAsciiSelected();

// Start-up values of the settings above.
void InitCadSettings();

// Decimals of the numbers in DXF and plot files ("Decimals DXF,TXT"),
// limited to 0..32.
int CadDecimals();
// Chord length of arcs drawn as polygons; a value not greater than 0 gives
// 0.1 for circles and 0.2 for arcs.
Real CadChordLengthForCircles();
Real CadChordLengthForArcs();
// Whether the plot file writes "," as decimal mark ("Dot=1 Komma=2" = 2).
bool CadPlotDecimalComma();
// Configured layer name of pen 1..5 (pen 0 is always "0"); an empty name
// gives the pen number.
std::string CadNamedLayer(int pen);
// Configured colour of a pen 0..31 (DXF colour number).
int CadPenColour(int pen);
// Configured line width of a pen 0..31.
int CadPenLineWidth(int pen);

}  // namespace kv5
