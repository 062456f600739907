case do done elif else esac fi for function if in select then until while
- User set 1:
- User set 2:
- User set 3:
- User set 4:
