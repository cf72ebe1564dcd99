\ A file that includes itself ends in a clean error, however big each level.
'self_include.fs included
