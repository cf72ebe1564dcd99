\ The lines after an include are counted from the script's own.
'three_lines.inc included


nosuch
