and       del       for       is        raise    
assert    elif      from      lambda    return   
break     else      global    not       try      
class     except    if        or        while    
continue  exec      import    pass      yield    
def       finally   in        print
- Functions
__import__ abs apply buffer callable chr cmp coerce compile complex
delattr dict dir divmod eval execfile file filter float getattr globals
hasattr hash help hex id input int intern isinstance issubclass iter len
list locals long map max min oct open ord pow range raw_input reduce
reload repr round setattr slice str tuple type unichr unicode vars
xrange zip
- User set 1:
- User set 2:
- User set 3:
- User set 4:
