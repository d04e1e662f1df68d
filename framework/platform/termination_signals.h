// SIGTERM and SIGINT as a request for an orderly shut-down.
// SPDX-License-Identifier: MIT
//
// The handler only records the request; the main loop notices it at its next
// step and shuts down as after a confirmed quit, writing everything a normal
// quit writes. A second signal while the first is pending ends the process
// at once, for a program that no longer responds.
#pragma once

namespace Lumo
{

void InstallTerminationHandlers();
void RestoreDefaultTerminationHandlers();

// True while a termination request waits to be handled. TakeTerminationRequest
// returns true once per process run, for whoever handles it.
bool IsTerminationRequested();
bool TakeTerminationRequest();
// Forgets every request (tests).
void ResetTerminationRequest();

// Records a request as the handler would (tests, and other threads).
void RequestTermination();

} // namespace Lumo
