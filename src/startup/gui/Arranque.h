#pragma once

// The program's start sequence; returns the exit status of the message loop.
int EjecutarAverias(int argc, char** argv);
