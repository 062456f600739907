"""Keeps count of the items in a store.

The counts live in memory only."""
import os, json as js, collections
from decimal import Decimal
from os.path import join

LIMIT = 100  # the most of one item


class Store:
    '''A store and its stock.
    Items are keyed by name.'''

    def __init__(self, name):
        self.name = name
        self.items = collections.Counter()

    def add(self, item, count=1):
        if count > LIMIT:
            raise ValueError("too many: %d" % count)
        self.items[item] += count

    def report(self):
        text = ''''''
        for item, count in sorted(self.items.items()):
            text += "%s: %d\n" % (item, count)
        return text + 'total: ' + \
            str(sum(self.items.values()))


def load(path):
    with open(join(os.getcwd(), path)) as source:
        return js.load(source)
