// The data of DDE transfers: a request's answer read by an upload
// (_src_dde), and the host's data collected for a poke or execute
// (_dest_dde). The handles live in the DdeEndpointRecord.
#pragma once

#include "dde_port.h"

class DdeEndpointLink;

// The link the transfer layer's _src_dde and _dest_dde call.
DdeEndpointLink& DdeTransferLinkInstance();

// The current upload reads nothing (its first request gets the end).
void UseEmptyDdeSource();
// The current upload reads answer (a text: its length is up to its zero).
void UseDdeSource(DdeDataHandle answer);
// The current download's data goes to slot's conversation with item and
// the transaction (poke, or execute with no item) when it finishes.
void UseDdeDestination(int slot, DdeStringHandle item, uint32_t transaction);
// Frees whatever source or destination data is held.
void DiscardDdeTransferData();
