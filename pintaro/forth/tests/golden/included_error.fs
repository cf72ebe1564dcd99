\ An error inside an included file reports its line.
'helper.inc included
