#pragma once

class TdmCDS;

// Plugs what the history subsystem offers into class management: the group exchange
// buttons, the results page, and the print buttons of its pages (the fault access table
// and the password sheet, in the report preview). Start-up calls it once.
void EnlazarGestionHistoria(TdmCDS& dm);
