#pragma once
// The reader gate of the key tables and the PKU-618 concierge field: a key typed while no reader
// button is down is refused, since the user has not said which kind of key it is.

class Session;

void ShowReaderGateMessage(Session& session);
