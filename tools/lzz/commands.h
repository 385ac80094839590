#pragma once

// Each command takes its own arguments (after the command word) and returns
// the process's exit status.

int PackCommand(int argc, char** argv);
int ListCommand(int argc, char** argv);
int ExtractCommand(int argc, char** argv);
int VerifyCommand(int argc, char** argv);
