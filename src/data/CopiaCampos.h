#pragma once

class TClientDataSet;

// Every stored field of the destination's current row that the source has by name,
// taking the source's value; with `soloNulos`, only those still Null. Copying by name
// keeps working when two files list their fields in different orders.
void CopiarCampos(const TClientDataSet* origen, TClientDataSet* destino, bool soloNulos);
