# End-to-end lane: filled below.
